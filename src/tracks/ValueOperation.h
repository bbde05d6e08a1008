// The value operations of the "Operation" command, one number at a time in single
// precision, and the same applied to the samples of a log track or the values of a
// data track (LogTrack::ApplyOperation, DataTrack::ApplyOperation).
#pragma once

#include <array>

// The codes are the positions in the dialog's list.
enum ValueOperationCode : int {
    kOpAdd = 0,
    kOpSubtract = 1,
    kOpMultiply = 2,
    kOpDivide = 3,
    kOpLog10 = 4,
    kOpFahrenheitToCelsius = 5,
    kOpCelsiusToFahrenheit = 6,
    kOpPsiToMpa = 7,
    kOpMpaToPsi = 8,
};
inline constexpr int kValueOperationCount = 9;

// The names the "Operation" dialog lists, in code order.
inline constexpr std::array<const char*, kValueOperationCount> kValueOperationNames = {
    "Add",
    "Subtract",
    "Multiply",
    "Divide",
    "Log10",
    "Fahrenheit->Celsius",
    "Celsius->Fahrenheit",
    "PSI->MPa",
    "MPa->PSI",
};

// The four arithmetic operations take the dialog's value; the conversions do not.
inline bool OperationTakesValue(int code) {
    return code >= kOpAdd && code <= kOpDivide;
}

// Pounds per square inch in a megapascal, as a single float.
inline constexpr float kPsiPerMpa = 145.03773498535156f;

// The operation on v with the value x. Division by 0, the logarithm of a value not
// above 0, an unknown code and a result that is not finite leave v as it was.
float ApplyOperation(int code, float v, float x);
