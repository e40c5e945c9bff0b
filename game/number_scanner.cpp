// The "%i" number syntax over a buffered byte stream, with exact places and no
// overflowing arithmetic on numbers of any length.
#include "number_scanner.h"

#include <cstring>
#include <limits>

namespace {

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of `c` as a digit in `base`, or -1.
int digitValue(int c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

} // namespace

int NumberScanner::peek(std::size_t ahead) {
    while (end_ - start_ <= ahead && !fileDone_) {
        if (start_ > 0) {
            std::memmove(buffer_, buffer_ + start_, end_ - start_);
            end_ -= start_;
            start_ = 0;
        }
        const std::size_t room = sizeof buffer_ - end_;
        const std::size_t wanted = room < bytesLeft_ ? room : bytesLeft_;
        const std::size_t got = wanted > 0 ? std::fread(buffer_ + end_, 1, wanted, file_) : 0;
        end_ += got;
        bytesLeft_ -= got;
        // A read error (a directory, a device that fails) ends the file like EOF.
        if (got == 0) {
            fileDone_ = true;
            overLimit_ = bytesLeft_ == 0 && std::fgetc(file_) != EOF;
        }
    }
    return end_ - start_ > ahead ? buffer_[start_ + ahead] : EOF;
}

void NumberScanner::advance() {
    if (peek(0) == '\n') {
        ++place_.line;
        place_.column = 1;
    } else {
        ++place_.column;
    }
    ++start_;
}

ScannedNumber NumberScanner::next() {
    ScannedNumber out;
    bool sawSpace = false;
    while (isSpace(peek(0))) {
        advance();
        sawSpace = true;
    }
    out.place = place_;
    // Only a number can run on from the one before; text that is no number is
    // reported as such, wherever it stands.
    const bool glued = afterNumber_ && !sawSpace;
    afterNumber_ = false;

    if (peek(0) == EOF) {
        out.result = ScanResult::End;
        out.overLimit = overLimit_;
        return out;
    }

    // Decide the number's form before consuming anything, so that text which is
    // not a number stays where it is.
    std::size_t at = 0;
    const int sign = peek(0);
    if (sign == '+' || sign == '-') {
        at = 1;
    }
    int base = 10;
    std::size_t firstDigit = at;
    const bool hexPrefix = peek(at) == '0' && (peek(at + 1) == 'x' || peek(at + 1) == 'X');
    if (hexPrefix && digitValue(peek(at + 2), 16) >= 0) {
        base = 16;
        firstDigit = at + 2;
    } else if (hexPrefix || (at > 0 && digitValue(peek(at), 10) < 0)) {
        // A sign or a 0x that no digit follows begins a number but names none: the
        // value fails, its text is used up, and the next value starts after it.
        for (std::size_t i = 0; i < (hexPrefix ? at + 2 : at); ++i) {
            advance();
        }
        out.result = ScanResult::Failed;
        return out;
    } else if (peek(at) == '0') {
        base = 8;
    } else if (digitValue(peek(at), 10) < 0) {
        out.result = ScanResult::NotANumber;
        return out;
    }

    for (std::size_t i = 0; i < firstDigit; ++i) {
        advance();
    }
    // The magnitude saturates just above 2^31, which is all the clamping needs.
    constexpr std::uint64_t limit = std::uint64_t{1} << 32;
    std::uint64_t magnitude = 0;
    for (int d = digitValue(peek(0), base); d >= 0; d = digitValue(peek(0), base)) {
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (magnitude > limit) {
            magnitude = limit;
        }
        advance();
    }

    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = static_cast<std::int64_t>(magnitude);
    if (sign == '-') {
        value = -value;
    }
    if (value < lowest) {
        value = lowest;
        out.clamped = true;
    } else if (value > highest) {
        value = highest;
        out.clamped = true;
    }
    out.result = ScanResult::Number;
    out.value = static_cast<std::int32_t>(value);
    out.glued = glued;
    afterNumber_ = true;
    return out;
}
