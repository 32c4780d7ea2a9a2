/* icon: 3 x 2 pixels, 1 bit per pixel, pages of 8 rows, top row in bit 0 */
#ifndef PICTAVO_ICON_H
#define PICTAVO_ICON_H

#include <stdint.h>

#define ICON_WIDTH 3
#define ICON_HEIGHT 2
#define ICON_BPP 1

static const uint8_t icon[] = {
    0x00, 0x03, 0x03, /* rows 0-1 */
};

#endif /* PICTAVO_ICON_H */
