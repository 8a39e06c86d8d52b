// NFC in the page's module: the browser normalizes what the learner types,
// with String.prototype.normalize, before it comes in, so there is nothing
// left to do here, and the module carries none of utf8proc's tables.
#include "explica/le/texto.h"

namespace explica {

void normaliza_se_pede(texto& /*t*/) {}

} // namespace explica
