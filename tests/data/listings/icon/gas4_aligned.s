/* icon: 3 x 2 pixels, 4 bits per pixel, rows start a new byte, first pixel in the lowest bits */
	.section .rodata
	.global icon
	.type icon, %object
icon:
	.byte 3,2 /* width, height */
	.byte 0x30,0x04 /* row 0 */
	.byte 0x21,0x03 /* row 1 */
	.size icon, . - icon
	.section .note.GNU-stack,"",%progbits
