#include "JpegScanBits.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace VXM {

namespace {

constexpr uint8_t kNoMarker = 0xFF;
// Stands for the end of the data, which ends the coded bits like a marker.
constexpr uint8_t kEndOfData = 0xD9;
constexpr int kDcLimit = 32767;
constexpr int kLastCoefficient = 63;
constexpr int kLongestCode = 16;

// stb_image's bit buffer: 32 bits, filled a byte at a time up to the next marker. Past the end
// of the data stb_image reads zeros and then fails for want of a marker; reading them would take
// long for a large image, so the end counts as a marker.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size, size_t at) : data_(data), size_(size), at_(at) {}

    bool Ensure(int count)
    {
        if (bits_ < count)
            Grow();
        return bits_ >= count;
    }
    uint32_t Buffer() const { return buffer_; }
    int Bits() const { return bits_; }
    void Consume(int count)
    {
        buffer_ <<= count;
        bits_ -= count;
    }
    // The next count bits (at most 16) as an unsigned number; -1 when they are not there.
    int Take(int count)
    {
        if (!Ensure(count))
            return -1;
        const int value = static_cast<int>(buffer_ >> (32 - count));
        Consume(count);
        return value;
    }
    bool AtRestart()
    {
        if (bits_ < 24)
            Grow();
        return marker_ >= 0xD0 && marker_ <= 0xD7;
    }
    void Restart()
    {
        buffer_ = 0;
        bits_ = 0;
        marker_ = kNoMarker;
    }

private:
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    // Past a marker stb_image makes up zero bits; a valid scan never needs them, so none are given.
    void Grow()
    {
        while (marker_ == kNoMarker && bits_ <= 24) {
            if (at_ >= size_) {
                marker_ = kEndOfData;
                return;
            }
            uint32_t byte = Next();
            if (byte == 0xFF) {
                uint8_t next = Next();
                while (next == 0xFF)
                    next = Next();
                if (next != 0) {
                    marker_ = next;
                    return;
                }
            }
            buffer_ |= byte << (24 - bits_);
            bits_ += 8;
        }
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_;
    uint32_t buffer_ = 0;
    int bits_ = 0;
    uint8_t marker_ = kNoMarker;
};

// Canonical decoding, as stb_image's tables give it for a table it accepts.
class HuffmanCode {
public:
    HuffmanCode() = default;
    explicit HuffmanCode(const JpegHuffmanTable& table)
    {
        uint32_t code = 0;
        for (int length = 1; length <= kLongestCode; ++length) {
            delta_[length] = symbols_ - static_cast<int>(code);
            symbols_ += table.counts[length - 1];
            code += table.counts[length - 1];
            if (code > (1u << length))
                valid_ = false;
            limit_[length] = code << (kLongestCode - length);
            code <<= 1;
        }
        values_ = &table.values;
        valid_ = valid_ && symbols_ <= 256;
    }

    // The value of the next code; -1 for no code or a code longer than the bits left.
    int Decode(BitReader& bits) const
    {
        bits.Ensure(kLongestCode);
        const uint32_t top = bits.Buffer() >> 16;
        int length = 1;
        while (length <= kLongestCode && top >= limit_[length])
            ++length;
        if (!valid_ || length > kLongestCode || length > bits.Bits())
            return -1;
        const int symbol = static_cast<int>(bits.Buffer() >> (32 - length)) + delta_[length];
        if (symbol < 0 || symbol >= symbols_)
            return -1;
        bits.Consume(length);
        return (*values_)[symbol];
    }

private:
    const std::array<uint8_t, 256>* values_ = nullptr;
    uint32_t limit_[kLongestCode + 1] = {};
    int delta_[kLongestCode + 1] = {};
    int symbols_ = 0;
    bool valid_ = true;
};

struct ScanComponent {
    int index = 0;
    int dcTable = 0;
    int acTable = 0;
};

struct Scan {
    int count = 0;
    ScanComponent components[4];
    int spectralStart = 0;
    int spectralEnd = 0;
    int high = 0;
    int low = 0;
};

// stb_image stores a coefficient coded past 63 at 63.
uint64_t CoefficientBit(int k)
{
    return uint64_t{1} << std::min(k, kLastCoefficient);
}

class ScanReader {
public:
    ScanReader(const JpegDecodeState& state, const Scan& scan, BitReader& bits) : state_(state), scan_(scan), bits_(bits)
    {
        for (size_t i = 0; i < codes_.size(); ++i)
            codes_[i] = HuffmanCode(state.tables[i]);
    }

    // nonZero is the block's entry for a progressive AC scan.
    bool Block(const ScanComponent& component, uint64_t* nonZero)
    {
        if (!state_.progressive)
            return Dc(component) && Ac(component, 1, kLastCoefficient, nullptr);
        if (scan_.spectralStart == 0) {
            bits_.Ensure(kLongestCode);
            return scan_.spectralEnd == 0 && (scan_.high != 0 ? bits_.Take(1) >= 0 : Dc(component));
        }
        if (scan_.high != 0)
            return Refine(component, *nonZero);
        if (eobRun_ > 0) {
            --eobRun_;
            return true;
        }
        return Ac(component, scan_.spectralStart, scan_.spectralEnd, nonZero);
    }
    void Restart()
    {
        bits_.Restart();
        for (int& prediction : predictions_)
            prediction = 0;
        eobRun_ = 0;
    }

private:
    // A coded coefficient of count bits, INT_MIN when they are not there.
    int Magnitude(int count)
    {
        if (count == 0)
            return 0;
        if (!bits_.Ensure(count))
            return INT_MIN;
        const bool positive = bits_.Buffer() >> 31;
        const int value = bits_.Take(count);
        return positive ? value : value + 1 - (1 << count);
    }
    bool Dc(const ScanComponent& component)
    {
        const int category = codes_[component.dcTable].Decode(bits_);
        if (category < 0 || category > 15)
            return false;
        const int difference = Magnitude(category);
        if (difference == INT_MIN)
            return false;
        int& prediction = predictions_[component.index];
        prediction += difference;
        return std::abs(prediction) <= kDcLimit;
    }
    // A sequential block ends at coefficient 63 or an end of block; a progressive band may start
    // a run of empty bands instead.
    bool Ac(const ScanComponent& component, int first, int last, uint64_t* nonZero)
    {
        const HuffmanCode& code = codes_[4 + component.acTable];
        for (int k = first; k <= last;) {
            const int runAndSize = code.Decode(bits_);
            if (runAndSize < 0)
                return false;
            const int run = runAndSize >> 4;
            const int size = runAndSize & 15;
            if (size != 0) {
                k += run;
                const int value = Magnitude(size);
                if (value == INT_MIN)
                    return false;
                // Stored as a short: a large value scaled up can wrap to zero.
                if (nonZero && static_cast<int16_t>(value * (1 << scan_.low)) != 0)
                    *nonZero |= CoefficientBit(k);
                else if (nonZero)
                    *nonZero &= ~CoefficientBit(k);
                ++k;
            } else if (run == 15) {
                k += 16;
            } else if (!state_.progressive) {
                return true;
            } else {
                const int extra = run == 0 ? 0 : bits_.Take(run);
                eobRun_ = (1 << run) + extra - 1;
                return extra >= 0;
            }
        }
        return true;
    }

    // One correction bit for each coefficient already non-zero, in the run a new one is placed at.
    bool Refine(const ScanComponent& component, uint64_t& nonZero)
    {
        const auto correctBand = [&](int from, int to) {
            for (int k = from; k <= to; ++k)
                if ((nonZero & CoefficientBit(k)) && bits_.Take(1) < 0)
                    return false;
            return true;
        };
        if (eobRun_ > 0) {
            --eobRun_;
            return correctBand(scan_.spectralStart, scan_.spectralEnd);
        }
        const HuffmanCode& code = codes_[4 + component.acTable];
        int k = scan_.spectralStart;
        do {
            const int runAndSize = code.Decode(bits_);
            if (runAndSize < 0)
                return false;
            int run = runAndSize >> 4;
            const int size = runAndSize & 15;
            if (size == 0 && run < 15) {
                const int extra = run == 0 ? 0 : bits_.Take(run);
                if (extra < 0)
                    return false;
                eobRun_ = (1 << run) - 1 + extra;
                return correctBand(k, scan_.spectralEnd);
            }
            if (size > 1 || (size == 1 && bits_.Take(1) < 0))
                return false;
            while (k <= scan_.spectralEnd) {
                const uint64_t bit = CoefficientBit(k++);
                if (nonZero & bit) {
                    if (bits_.Take(1) < 0)
                        return false;
                } else if (run-- == 0) {
                    if (size == 1)
                        nonZero |= bit;
                    break;
                }
            }
        } while (k <= scan_.spectralEnd);
        return true;
    }

    const JpegDecodeState& state_;
    const Scan& scan_;
    BitReader& bits_;
    std::array<HuffmanCode, 8> codes_{};
    int predictions_[4] = {};
    int eobRun_ = 0;
};

// The scan header as stb_image checks it; false for one it refuses.
bool ReadScan(const JpegDecodeState& state, const uint8_t* data, size_t size, size_t& at, Scan& scan)
{
    const auto next = [&] { return at < size ? data[at++] : 0; };
    const int lengthHigh = next();
    const int length = lengthHigh << 8 | next();
    scan.count = next();
    if (scan.count < 1 || scan.count > 4 || scan.count > state.componentCount || length != 6 + 2 * scan.count)
        return false;
    for (int i = 0; i < scan.count; ++i) {
        const int id = next();
        const int tables = next();
        ScanComponent& component = scan.components[i];
        while (component.index < state.componentCount && state.components[component.index].id != id)
            ++component.index;
        component.dcTable = tables >> 4;
        component.acTable = tables & 15;
        if (component.index == state.componentCount || component.dcTable > 3 || component.acTable > 3)
            return false;
    }
    scan.spectralStart = next();
    scan.spectralEnd = next();
    const int approximation = next();
    scan.high = approximation >> 4;
    scan.low = approximation & 15;
    if (!state.progressive) {
        scan.spectralEnd = kLastCoefficient;
        return scan.spectralStart == 0 && approximation == 0;
    }
    return scan.spectralStart <= scan.spectralEnd && scan.spectralEnd <= kLastCoefficient && scan.high <= 13 && scan.low <= 13;
}

// Each block of the scan in stb_image's order: a lone component block by block over its own
// size, several by MCUs. At the end of each restart interval a restart marker must follow, or
// stb_image ends the scan there. After a whole first DC scan its components' blocks hold zeros.
bool BlocksFit(JpegDecodeState& state, const Scan& scan, BitReader& bits)
{
    int maxHorizontal = 1, maxVertical = 1;
    for (int i = 0; i < state.componentCount; ++i) {
        maxHorizontal = std::max(maxHorizontal, state.components[i].horizontal);
        maxVertical = std::max(maxVertical, state.components[i].vertical);
    }
    const int mcusAcross = (state.width + maxHorizontal * 8 - 1) / (maxHorizontal * 8);
    const int mcusDown = (state.height + maxVertical * 8 - 1) / (maxVertical * 8);
    const JpegComponent& lone = state.components[scan.components[0].index];
    const bool interleaved = scan.count > 1;
    const int unitsAcross = interleaved ? mcusAcross : ((state.width * lone.horizontal + maxHorizontal - 1) / maxHorizontal + 7) >> 3;
    const int unitsDown = interleaved ? mcusDown : ((state.height * lone.vertical + maxVertical - 1) / maxVertical + 7) >> 3;
    const bool firstDc = state.progressive && scan.spectralStart == 0 && scan.high == 0;
    std::vector<uint64_t>& nonZero = state.nonZero[scan.components[0].index];
    const bool acScan = state.progressive && scan.spectralStart > 0;
    ScanReader reader(state, scan, bits);
    int todo = state.restartInterval > 0 ? state.restartInterval : INT_MAX;
    bool whole = true;
    for (int unit = 0; unit < unitsAcross * unitsDown && whole; ++unit) {
        uint64_t* block = acScan ? &nonZero[size_t(unit / unitsAcross) * size_t(mcusAcross * lone.horizontal) + size_t(unit % unitsAcross)] : nullptr;
        for (int i = 0; i < scan.count; ++i) {
            const JpegComponent& component = state.components[scan.components[i].index];
            const int blocks = interleaved ? component.horizontal * component.vertical : 1;
            for (int b = 0; b < blocks; ++b)
                if (!reader.Block(scan.components[i], block))
                    return false;
        }
        if (--todo <= 0) {
            whole = bits.AtRestart() || unit + 1 == unitsAcross * unitsDown;
            reader.Restart();
            todo = state.restartInterval > 0 ? state.restartInterval : INT_MAX;
        }
    }
    for (int i = 0; i < scan.count && firstDc; ++i) {
        const JpegComponent& component = state.components[scan.components[i].index];
        std::vector<uint64_t>& cleared = state.nonZero[scan.components[i].index];
        cleared.clear();
        if (whole)
            cleared.resize(size_t(mcusAcross * component.horizontal) * size_t(mcusDown * component.vertical));
    }
    return true;
}

}  // namespace

bool JpegScanFits(JpegDecodeState& state, const uint8_t* data, size_t size, size_t at)
{
    Scan scan;
    if (state.componentCount == 0 || !ReadScan(state, data, size, at, scan))
        return false;
    // Every later scan of a component works on what its first DC scan left.
    if (state.progressive && (scan.spectralStart > 0 || scan.high > 0)) {
        if (scan.spectralStart > 0 && scan.count > 1)
            return false;
        for (int i = 0; i < scan.count; ++i)
            if (state.nonZero[scan.components[i].index].empty())
                return false;
    }
    BitReader bits(data, size, at);
    return BlocksFit(state, scan, bits);
}

}  // namespace VXM
