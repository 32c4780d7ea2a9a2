#if defined(LV_LVGL_H_INCLUDE_SIMPLE)
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif


#ifndef LV_ATTRIBUTE_MEM_ALIGN
#define LV_ATTRIBUTE_MEM_ALIGN
#endif

#ifndef LV_ATTRIBUTE_IMG_ARROW
#define LV_ATTRIBUTE_IMG_ARROW
#endif

const LV_ATTRIBUTE_MEM_ALIGN LV_ATTRIBUTE_LARGE_CONST LV_ATTRIBUTE_IMG_ARROW uint8_t arrow_map[] = {
  0xff, 0x80, 
  0x80, 0x00, 
  0x80, 0x00, 
  0xfe, 0x00, 
  0x80, 0x00, 
  0x80, 0x00, 
  0x80, 0x40, 
  0x80, 0xc0, 
  0x81, 0xc0, 
};

const lv_img_dsc_t arrow = {
  .header.cf = LV_IMG_CF_ALPHA_1BIT,
  .header.always_zero = 0,
  .header.reserved = 0,
  .header.w = 10,
  .header.h = 9,
  .data_size = 18,
  .data = arrow_map,
};
