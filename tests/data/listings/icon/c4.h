/* icon: 3 x 2 pixels, 4 bits per pixel, rows follow each other, first pixel in the lowest bits */
#ifndef PICTAVO_ICON_H
#define PICTAVO_ICON_H

#include <stdint.h>

#define ICON_WIDTH 3
#define ICON_HEIGHT 2
#define ICON_BPP 4

static const uint8_t icon[] = {
    0x30, 0x14, 0x32,
};

#endif /* PICTAVO_ICON_H */
