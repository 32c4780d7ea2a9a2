/* mixed: skin "mixed" of 4 icons, all at 1 bit per pixel, pages of 8 rows, top row in bit 7 */
	.section .rodata
	.global mixed_bits
	.type mixed_bits, %object
mixed_bits:
	/* 0x05: 4 x 1, 1 bit per pixel, 1 frame of 4 bytes */
	.byte 0x80,0x00,0x80,0x00
	/* 0x09: 8 x 1, 1 bit per pixel, 1 frame of 8 bytes */
	.byte 0x80,0x00,0x00,0x80,0x80,0x00,0x00,0x80
	/* 0xFE: 6 x 4, 1 bit per pixel, 3 frames of 6 bytes */
	.byte 0x30,0x70,0xE0,0xC0,0x90,0x30
	.byte 0x70,0xE0,0xC0,0x90,0x30,0x70
	.byte 0xE0,0xC0,0x90,0x30,0x70,0xE0
	/* 0x40: 3 x 3, 1 bit per pixel, 2 frames of 3 bytes */
	.byte 0x40,0x60,0xA0
	.byte 0x20,0xE0,0x80
	.size mixed_bits, . - mixed_bits
	.balign 4
	.global mixed_icons
	.type mixed_icons, %object
mixed_icons:
	/* id, width, height, bpp, frames, reserved; frame bytes; offset */
	.byte 0x05,4,1,1,1,0
	.short 4
	.long 0
	.byte 0x09,8,1,1,1,0
	.short 8
	.long 4
	.byte 0xFE,6,4,1,3,0
	.short 6
	.long 12
	.byte 0x40,3,3,1,2,0
	.short 3
	.long 30
	.size mixed_icons, . - mixed_icons
	.global mixed_icon_count
	.type mixed_icon_count, %object
mixed_icon_count:
	.short 4
	.size mixed_icon_count, . - mixed_icon_count
	.section .note.GNU-stack,"",%progbits
