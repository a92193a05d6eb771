# Writes OUTPUT, a C or C++ file (the same text is valid in both) exporting
# the bytes of INPUT as resource NAME:
#   const unsigned char brenmark_resource_NAME[];
#   const uint32_t brenmark_resource_NAME_size;
# The declarations come first: in C++ a const variable has internal linkage
# unless an earlier declaration gave it external linkage.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}
"/* Generated from ${INPUT}; do not edit. */
#include <stdint.h>
#ifdef __cplusplus
extern \"C\" {
#endif
__attribute__((visibility(\"default\"))) extern const unsigned char brenmark_resource_${NAME}[${size} + 1];
__attribute__((visibility(\"default\"))) extern const uint32_t brenmark_resource_${NAME}_size;
const unsigned char brenmark_resource_${NAME}[${size} + 1] = {
    ${bytes}0x00
};
const uint32_t brenmark_resource_${NAME}_size = ${size};
#ifdef __cplusplus
}
#endif
")
