#pragma once

// A text the windows show in the technician's language. The core keeps only its English words and
// no Qt: lupdate collects the marked texts under their context (its -tr-function-alias takes this
// macro for QT_TRANSLATE_NOOP), and the windows look the translation up by the English words
// where they show them. opalctl shows them as they are.
#define OPAL_TEXT(context, text) text
