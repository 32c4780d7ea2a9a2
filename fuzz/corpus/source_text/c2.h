#define I_WIDTH 3
#define I_HEIGHT 2
#define I_BPP 2
const uint8_t i[] = {0x7C,0x0E};
