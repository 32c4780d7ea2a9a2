/* icon: 3 x 2 pixels, 2 bits per pixel, rows follow each other, first pixel in the lowest bits */
	.section .rodata
	.global icon
	.type icon, %object
icon:
	.byte 3,2 /* width, height */
	.byte 0x7C,0x0E
	.size icon, . - icon
	.section .note.GNU-stack,"",%progbits
