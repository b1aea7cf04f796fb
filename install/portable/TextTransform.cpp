#include "install/portable/TextTransform.h"

KeyedTextTables KeyTextTables(uint16_t key) {
    const uint8_t k8 = static_cast<uint8_t>(~key);
    KeyedTextTables t;
    for (int i = 0; i < TextKeys::kXorCount; i++)
        t.xorBytes[i] = TextKeys::kXor[i] ^ k8;
    for (int i = 0; i < TextKeys::kOuterRotationCount; i++)
        t.outerRotation[i] = TextKeys::kOuterRotation[i] ^ k8;
    for (int i = 0; i < TextKeys::kInnerRotationCount; i++)
        t.innerRotation[i] = TextKeys::kInnerRotation[i] ^ k8;
    for (int i = 0; i < TextKeys::kWordCount; i++)
        t.words[i] = TextKeys::kWords[i] ^ key;
    return t;
}
