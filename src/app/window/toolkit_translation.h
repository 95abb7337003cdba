#pragma once
// The toolkit's own texts (standard buttons, file dialogs, the details
// button of a message box) in Brazilian Portuguese, whatever the system's
// locale, like the window's own texts. Held while the window lives.
#include <QLocale>
#include <QTranslator>

namespace conversor {

class ToolkitTranslation {
public:
    // Installs Qt's Brazilian Portuguese translation and makes Brazilian
    // Portuguese the default locale (dates and sizes in the file dialog).
    ToolkitTranslation();
    ~ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;

    // False when Qt's translation files are not installed: the toolkit
    // then speaks its own English.
    bool loaded() const { return loaded_; }

private:
    QTranslator translator_;
    QLocale previousLocale_;
    bool loaded_ = false;
};

}  // namespace conversor
