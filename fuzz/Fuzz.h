// The harness of every fuzz target: a target defines FuzzOne, which runs the
// code under test on one input and checks what it gives; FuzzDriver.cpp hands
// it every input libFuzzer makes. A check that does not hold is a finding: the
// run stops at once with the check's words, and libFuzzer keeps the input.
// The checks are properties any right answer has (shapes, round trips, what
// stays unchanged); the exact answers for chosen inputs are the unit tests'.
#pragma once

#include <string_view>

void FuzzOne(std::string_view input);

void Require(bool holds, const char* what);

bool IsDigit(char c);
