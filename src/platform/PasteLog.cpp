#include "platform/PasteLog.h"

namespace telmo {

Q_LOGGING_CATEGORY(lcPaste, "telmo.paste", QtWarningMsg)

} // namespace telmo
