#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The parts of the Windows Metafile format that report pages use, shared by the page writer, the
// player and their tests. Every number is little-endian; sizes are counted in 16-bit words.
namespace nakva::wmf {

inline constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
inline constexpr int PlaceableHeaderBytes = 22;
inline constexpr int HeaderWords = 9;
inline constexpr std::uint16_t Version300 = 0x0300;

// Record functions.
enum Function : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkColor = 0x0201,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    RestoreDc = 0x0127,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    RoundRect = 0x061C,
    PolyPolygon = 0x0538,
    TextOut = 0x0521,
    ExtTextOut = 0x0A32,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
    // Objects that take a place in the object table but that report pages never use.
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    DibCreatePatternBrush = 0x0142,
    CreateRegion = 0x06FF,
};

inline constexpr std::uint16_t MapModeAnisotropic = 8;
inline constexpr std::uint16_t BkTransparent = 1;
inline constexpr std::uint16_t BkOpaque = 2;

// Text alignment: horizontal and vertical parts.
inline constexpr std::uint16_t TaUpdateCp = 0x0001;
inline constexpr std::uint16_t TaLeft = 0x0000;
inline constexpr std::uint16_t TaRight = 0x0002;
inline constexpr std::uint16_t TaCenter = 0x0006;
inline constexpr std::uint16_t TaHorizontalMask = 0x0006;
inline constexpr std::uint16_t TaTop = 0x0000;
inline constexpr std::uint16_t TaBottom = 0x0008;
inline constexpr std::uint16_t TaBaseline = 0x0018;
inline constexpr std::uint16_t TaVerticalMask = 0x0018;

inline constexpr std::uint16_t EtoOpaque = 0x0002;
inline constexpr std::uint16_t EtoClipped = 0x0004;

inline constexpr std::uint16_t PenSolid = 0;
inline constexpr std::uint16_t PenDash = 1;
inline constexpr std::uint16_t PenDot = 2;
inline constexpr std::uint16_t PenDashDot = 3;
inline constexpr std::uint16_t PenDashDotDot = 4;
inline constexpr std::uint16_t PenNull = 5;
inline constexpr std::uint16_t PenStyleMask = 0x000F;
inline constexpr std::uint16_t PenEndCapSquare = 0x0100;
inline constexpr std::uint16_t PenEndCapFlat = 0x0200;
inline constexpr std::uint16_t PenEndCapMask = 0x0F00;
inline constexpr std::uint16_t PenJoinBevel = 0x1000;
inline constexpr std::uint16_t PenJoinMiter = 0x2000;
inline constexpr std::uint16_t PenJoinMask = 0xF000;

inline constexpr std::uint16_t BrushSolid = 0;
inline constexpr std::uint16_t BrushNull = 1;
inline constexpr std::uint16_t BrushHatched = 2;

inline constexpr std::uint16_t PolyFillAlternate = 1;
inline constexpr std::uint16_t PolyFillWinding = 2;

inline constexpr std::uint8_t CharsetSymbol = 2;
inline constexpr std::uint8_t CharsetBaltic = 186;
inline constexpr int FaceNameBytes = 32;
inline constexpr std::uint16_t WeightNormal = 400;
inline constexpr std::uint16_t WeightBold = 700;
inline constexpr std::uint8_t FamilySwissVariablePitch = 0x22;

inline constexpr std::uint32_t RopSourceCopy = 0x00CC0020;
inline constexpr std::uint16_t DibRgbColors = 0;
inline constexpr int BitmapInfoHeaderBytes = 40;

// The object table of a metafile: a created object takes the lowest free index, and DeleteObject
// frees its index for the next one. The table's size is the high-water mark of indexes used.
template <class T> class ObjectTable {
public:
    int add(T object) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!slots_[i]) {
                slots_[i] = std::move(object);
                return static_cast<int>(i);
            }
        }
        slots_.emplace_back(std::move(object));
        return static_cast<int>(slots_.size() - 1);
    }
    const T* at(int index) const {
        if (index < 0 || index >= static_cast<int>(slots_.size()) || !slots_[index]) {
            return nullptr;
        }
        return &*slots_[index];
    }
    bool remove(int index) {
        if (!at(index)) {
            return false;
        }
        slots_[index].reset();
        return true;
    }
    int size() const { return static_cast<int>(slots_.size()); }

private:
    std::vector<std::optional<T>> slots_;
};

} // namespace nakva::wmf
