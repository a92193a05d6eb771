# Writes OUTPUT, a C file exporting the bytes of INPUT as resource NAME:
#   const unsigned char brenmark_resource_NAME[];
#   const uint32_t brenmark_resource_NAME_size;
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
"/* Generated from ${INPUT}; do not edit. */
#include <stdint.h>
__attribute__((visibility(\"default\"))) const unsigned char brenmark_resource_${NAME}[${size} + 1] = {
    ${bytes}0x00
};
__attribute__((visibility(\"default\"))) const uint32_t brenmark_resource_${NAME}_size = ${size};
")
