/* icon: 3 x 2 pixels, 8 bits per pixel, one code per byte */
#ifndef PICTAVO_ICON_H
#define PICTAVO_ICON_H

#include <stdint.h>

#define ICON_WIDTH 3
#define ICON_HEIGHT 2
#define ICON_BPP 8

static const uint8_t icon[] = {
    0x00, 0x03, 0x04, /* row 0 */
    0x01, 0x02, 0x03, /* row 1 */
};

#endif /* PICTAVO_ICON_H */
