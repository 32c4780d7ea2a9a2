/* icon: 3 x 2 pixels, 4 bits per pixel, rows follow each other, first pixel in the lowest bits */
	.section .rodata
	.global icon
	.type icon, %object
icon:
	.byte 3,2 /* width, height */
	.byte 0x30,0x14,0x32
	.size icon, . - icon
	.section .note.GNU-stack,"",%progbits
