/* diagonal: 10 x 13 pixels, 1 bit per pixel, rows follow each other, first pixel in the lowest bits */
#ifndef PICTAVO_DIAGONAL_H
#define PICTAVO_DIAGONAL_H

#include <stdint.h>

#define DIAGONAL_WIDTH 10
#define DIAGONAL_HEIGHT 13
#define DIAGONAL_BPP 1

static const uint8_t diagonal[] = {
    0x9C, 0x3B, 0x77, 0xCE, 0x9C, 0x39, 0x73, 0xEE, 0xDC, 0x39, 0x73, 0xE6, 0xCC, 0xB9, 0x73, 0xE7,
    0x00,
};

#endif /* PICTAVO_DIAGONAL_H */
