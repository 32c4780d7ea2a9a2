/* diagonal: 10 x 13 pixels, 1 bit per pixel, pages of 8 rows, top row in bit 0 */
#ifndef PICTAVO_DIAGONAL_H
#define PICTAVO_DIAGONAL_H

#include <stdint.h>

#define DIAGONAL_WIDTH 10
#define DIAGONAL_HEIGHT 13
#define DIAGONAL_BPP 1

static const uint8_t diagonal[] = {
    0x9C, 0xCE, 0xE7, 0x73, 0x39, 0x9C, 0xCE, 0xE7, 0x73, 0x39, /* rows 0-7 */
    0x13, 0x19, 0x1C, 0x0E, 0x07, 0x13, 0x19, 0x1C, 0x0E, 0x07, /* rows 8-12 */
};

#endif /* PICTAVO_DIAGONAL_H */
