// Finds the arrays of whichever embedded payload the program is linked with.
#include "pgr/Payload.h"

extern "C" {
extern const uint8_t OrvalisPayload1[];
extern const uint8_t OrvalisPayload2[];
extern const uint8_t OrvalisPayload3[];
extern const uint8_t OrvalisPayload4[];
extern const uint8_t OrvalisPayload5[];
extern const uint8_t OrvalisPayload6[];
extern const uint8_t OrvalisPayload7[];
extern const uint32_t OrvalisPayloadLength;
}

bool CheckPayloadContiguous() {
    const uint8_t* const starts[kPayloadArrayCount] = {OrvalisPayload1, OrvalisPayload2, OrvalisPayload3,
                                                       OrvalisPayload4, OrvalisPayload5, OrvalisPayload6,
                                                       OrvalisPayload7};
    return PayloadArraysContiguous(starts);
}

void FindPayload(const uint8_t** start, uint32_t* length) {
    *start = OrvalisPayload1;
    *length = OrvalisPayloadLength;
}
