// Reads integers one at a time from a stage file, in the syntax of the "%i"
// conversion, and remembers where each one stands for error reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct SourcePlace {
    std::uint32_t line = 1;   // counted from 1
    std::uint32_t column = 1; // in bytes, counted from 1
};

enum class ScanResult {
    Number,     // a number was read
    NotANumber, // the next text is not a number; nothing was consumed
    Failed,     // a lone sign, or 0x with no hexadecimal digit: used up, but no value
    End,        // only whitespace was left
};

struct ScannedNumber {
    ScanResult result = ScanResult::End;
    std::int32_t value = 0; // the number's value, when one was read
    SourcePlace place;      // where the number, the text or the end begins
    bool clamped = false;   // the text named a value beyond 32 bits (see next())
    bool glued = false;     // a number with no whitespace before it, as the 8 of "08"
    bool overLimit = false; // at the end: the file goes on past the byte limit, unread
};

// Streams a file through a small buffer: nothing is ever read ahead beyond the few
// bytes that the number syntax needs to decide, and nothing beyond the first
// `byteLimit` bytes, where the file ends as far as the scanner is concerned.
class NumberScanner {
  public:
    NumberScanner(std::FILE* file, std::size_t byteLimit) : file_(file), bytesLeft_(byteLimit) {}

    // Skips whitespace and reads the next number: an optional sign, then decimal
    // digits, or 0 and octal digits, or 0x / 0X and hexadecimal digits. The longest
    // such text is taken, so "08" reads as 0 followed by 8. A sign with no digit after
    // it, or "0x" with no hexadecimal digit, is used up and reads as Failed.
    //
    // A value outside the signed 32-bit range reads as the nearest value inside it
    // (INT32_MIN or INT32_MAX) and is marked `clamped`; no conversion ever overflows.
    ScannedNumber next();

  private:
    int peek(std::size_t ahead); // the byte `ahead` places on, or EOF
    void advance();              // consumes one byte, keeping the place

    std::FILE* file_;
    std::size_t bytesLeft_; // of the byte limit
    bool overLimit_ = false;
    unsigned char buffer_[4096]{};
    std::size_t start_ = 0; // first unconsumed byte in buffer_
    std::size_t end_ = 0;   // one past the last byte read into buffer_
    bool fileDone_ = false; // the file had no more bytes, or could not be read
    SourcePlace place_;
    bool afterNumber_ = false; // the previous byte consumed ended a number
};
