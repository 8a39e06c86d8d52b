// Which characters ask for NFC: utf8proc knows.
#pragma once

#include "explica/le/texto.h"

namespace explica {

// Whether a text holding c may change under NFC: c combines with what comes
// before it, or is not NFC alone.
[[nodiscard]] bool pede_nfc(char32_t c);

} // namespace explica
