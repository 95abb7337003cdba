#include "app/window/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace conversor {

ToolkitTranslation::ToolkitTranslation() {
    // By file name, not by the system's locale: under "C" or an English
    // locale the program still speaks Portuguese.
    loaded_ = translator_.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded_) QCoreApplication::installTranslator(&translator_);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

ToolkitTranslation::~ToolkitTranslation() {
    QLocale::setDefault(previousLocale_);
    if (loaded_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace conversor
