/* icon: 3 x 2 pixels, 1 bit per pixel, pages of 8 rows, top row in bit 7 */
	.section .rodata
	.global icon
	.type icon, %object
icon:
	.byte 3,2 /* width, height */
	.byte 0x00,0xC0,0xC0 /* rows 0-1 */
	.size icon, . - icon
	.section .note.GNU-stack,"",%progbits
