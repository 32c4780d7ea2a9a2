/* diagonal: 10 x 13 pixels, 1 bit per pixel, pages of 8 rows, top row in bit 7 */
	.section .rodata
	.global diagonal
	.type diagonal, %object
diagonal:
	.byte 10,13 /* width, height */
	.byte 0x39,0x73,0xE7,0xCE,0x9C,0x39,0x73,0xE7,0xCE,0x9C /* rows 0-7 */
	.byte 0xC8,0x98,0x38,0x70,0xE0,0xC8,0x98,0x38,0x70,0xE0 /* rows 8-12 */
	.size diagonal, . - diagonal
	.section .note.GNU-stack,"",%progbits
