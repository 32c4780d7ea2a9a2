/*******************************************************************************
* image
* filename: unsaved
* name: arrow
*
* preset name: Monochrome
* data block size: 8 bit(s), uint8_t
* RLE compression enabled: no
* conversion type: Monochrome, Diffuse Dither 128
* bits per pixel: 1
*
* preprocess:
*  main scan direction: top_to_bottom
*  line scan direction: forward
*  inverse: no
*******************************************************************************/

/*
 typedef struct {
     const uint8_t *data;
     uint16_t width;
     uint16_t height;
     uint8_t dataSize;
     } tImage;
*/
#include <stdint.h>



static const uint8_t image_data_arrow[18] = {
    // ∙∙∙∙∙∙∙∙∙█
    // ∙█████████
    // ∙█████████
    // ∙∙∙∙∙∙∙███
    // ∙█████████
    // ∙█████████
    // ∙████████∙
    // ∙███████∙∙
    // ∙██████∙∙∙
    0x00, 0x40, 0x7f, 0xc0, 0x7f, 0xc0, 0x01, 0xc0, 0x7f, 0xc0, 0x7f, 0xc0, 0x7f, 0x80, 0x7f, 0x00, 0x7e, 0x00
};
const tImage arrow = { image_data_arrow, 10, 9,
    8 };

