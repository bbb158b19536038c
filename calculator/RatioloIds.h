// Ratiolo's control ids and window titles: the window builds itself from
// these, and the end-to-end tests find it by the same names.
#pragma once

namespace ratiolo {

inline constexpr int GrossLabelId = 1001;
inline constexpr int GrossBoxId = 1002;
inline constexpr int PercentageLabelId = 1003;
inline constexpr int PercentageBoxId = 1004;
inline constexpr int ResultLabelId = 1005;
inline constexpr int ResultBoxId = 1006;
inline constexpr int CalculateButtonId = 1007;
inline constexpr int ExitButtonId = 1008;
inline constexpr int HelpLabelId = 1009;
inline constexpr int ClearButtonId = 1010;

inline constexpr int IconResourceId = 200;

inline constexpr const wchar_t* CalculatorTitle = L"Porcentaje ....";
inline constexpr const wchar_t* MessageTitle = L"...";

}  // namespace ratiolo
