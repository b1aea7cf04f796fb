// The drop shadow's settings, kept in the narrow types the shadow stores them
// in. Each setter refuses a value outside its range and then leaves every
// setting as it was, so a caller can pass user values straight through.
#pragma once

#include <cstdint>

class CShadowSettings {
public:
    static constexpr int kSizeLimit = 20;       // size: -20 to 20
    static constexpr int kSharpnessLimit = 20;  // sharpness: 0 to 20
    static constexpr int kDarknessLimit = 255;  // darkness: 0 to 255
    static constexpr int kOffsetLimit = 20;     // each offset: -20 to 20

    bool SetShadowSize(int n);
    bool SetShadowSharpness(int n);
    bool SetShadowDarkness(int n);
    // Both offsets are checked before either is stored.
    bool SetShadowOffset(int x, int y);
    // A Windows colour value: red in the low byte.
    void SetShadowColor(uint32_t colour) { m_nColour = colour; }

    int Size() const { return m_nSize; }
    int Sharpness() const { return m_nSharpness; }
    int Darkness() const { return m_nDarkness; }
    int XOffset() const { return m_nXOffset; }
    int YOffset() const { return m_nYOffset; }
    uint32_t Colour() const { return m_nColour; }

private:
    int8_t m_nSize = 0;
    uint8_t m_nSharpness = 5;
    uint8_t m_nDarkness = 200;
    int8_t m_nXOffset = 5;
    int8_t m_nYOffset = 5;
    uint32_t m_nColour = 0;
};

struct ShadowPoint {
    int x = 0;
    int y = 0;
};

// Where the shadow window's top left goes for a parent whose window
// rectangle starts at (parentLeft, parentTop): moved by the offsets and back
// by the size, since the image is larger than the parent by the size on
// every side.
ShadowPoint ShadowWindowPosition(int parentLeft, int parentTop, const CShadowSettings& settings);
