/* icon: 3 x 2 pixels, 8 bits per pixel, one code per byte */
	.section .rodata
	.global icon
	.type icon, %object
icon:
	.byte 3,2 /* width, height */
	.byte 0x00,0x03,0x04 /* row 0 */
	.byte 0x01,0x02,0x03 /* row 1 */
	.size icon, . - icon
	.section .note.GNU-stack,"",%progbits
