#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// A text that the program keeps only in scrambled form: the constructor scrambles a string literal
// while compiling (it is consteval), so the plain text never reaches the executable, and Unscramble
// restores it when the about window shows it. The scrambling only keeps the text out of plain
// view; it is no protection.
template <std::size_t N>
class TScrambledText {
public:
    // `plain` is a string literal; its terminating zero is not stored.
    consteval explicit TScrambledText(const char (&plain)[N])
    {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            FBytes[i] = static_cast<uint8_t>(static_cast<uint8_t>(plain[i]) ^ KeyByte(i));
        }
    }

    std::string Unscramble() const
    {
        std::string text(FBytes.size(), '\0');
        for (std::size_t i = 0; i < FBytes.size(); ++i) {
            text[i] = static_cast<char>(FBytes[i] ^ KeyByte(i));
        }
        return text;
    }

    // The bytes as stored in the program.
    std::span<const uint8_t> Stored() const { return FBytes; }

private:
    // A fixed key stream; position-dependent so that repeated letters do not repeat bytes.
    static constexpr uint8_t KeyByte(std::size_t index)
    {
        uint32_t k = static_cast<uint32_t>(index) * 2654435761u + 0x9E3779B9u;
        k ^= k >> 15;
        k *= 0x2C1B3C6Du;
        k ^= k >> 12;
        return static_cast<uint8_t>(k | 0x80u); // the high bit keeps every byte outside ASCII
    }

    std::array<uint8_t, N - 1> FBytes{};
};

// The credits of the about window: the libraries Ferrovane is built with.
std::string CreditsText();
// The credits as the program stores them.
std::span<const uint8_t> StoredCredits();
