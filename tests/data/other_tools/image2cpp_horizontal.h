// 'arrow', 10x9px
const unsigned char epd_bitmap_arrow [] PROGMEM = {
	0x00, 0x40, 0x7f, 0xc0, 0x7f, 0xc0, 0x01, 0xc0, 0x7f, 0xc0, 0x7f, 0xc0, 0x7f, 0x80, 0x7f, 0x00, 
	0x7e, 0x00
};

// Array of all bitmaps for convenience. (Total bytes used to store images in PROGMEM = 32)
const int epd_bitmap_allArray_LEN = 1;
const unsigned char* epd_bitmap_allArray[1] = {
	epd_bitmap_arrow
};
