#pragma once
// Qt's own texts (the standard buttons of message boxes, the file dialogs) in Chinese, whatever the
// user's locale: the program's own texts are Chinese, and a dialog must not mix the two languages.
class QCoreApplication;
class QTranslator;

namespace telmo {

// Installs Qt's simplified Chinese catalogue on the application, from Qt's translations folder or
// a "translations" folder beside the program; the translator belongs to the application. nullptr
// when no catalogue could be loaded: Qt's texts then stay English and nothing else changes.
QTranslator* InstallChineseTranslations(QCoreApplication& app);

} // namespace telmo
