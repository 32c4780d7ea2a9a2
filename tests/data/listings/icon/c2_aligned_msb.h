/* icon: 3 x 2 pixels, 2 bits per pixel, rows start a new byte, first pixel in the highest bits */
#ifndef PICTAVO_ICON_H
#define PICTAVO_ICON_H

#include <stdint.h>

#define ICON_WIDTH 3
#define ICON_HEIGHT 2
#define ICON_BPP 2

static const uint8_t icon[] = {
    0x3C, /* row 0 */
    0x6C, /* row 1 */
};

#endif /* PICTAVO_ICON_H */
