/* diagonal: 10 x 13 pixels, 1 bit per pixel, rows follow each other, first pixel in the lowest bits */
	.section .rodata
	.global diagonal
	.type diagonal, %object
diagonal:
	.byte 10,13 /* width, height */
	.byte 0x9C,0x3B,0x77,0xCE,0x9C,0x39,0x73,0xEE,0xDC,0x39,0x73,0xE6,0xCC,0xB9,0x73,0xE7
	.byte 0x00
	.size diagonal, . - diagonal
	.section .note.GNU-stack,"",%progbits
