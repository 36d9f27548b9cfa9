#pragma once
// The scale settings the number proposal and the validation both read.

namespace Towar {

// "Parametry sklepu / Towary / Sekcje wagowe / Maksymalna liczba towarów w
// sekcji": the largest number a section may hold (numbers are 1 to it).
int maxScaleNumber();

}  // namespace Towar
