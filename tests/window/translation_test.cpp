// The toolkit's standard buttons and dialogs speak Brazilian Portuguese
// whatever the locale the program starts under.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/window/dialogs.h"
#include "app/window/toolkit_translation.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

// Texts of the buttons and labels of the modal dialog that `show` opens,
// read while it is open; the dialog is then dismissed.
QStringList TextsOfModalDialog(const std::function<void()>& show) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        for (auto* button : dialog->findChildren<QPushButton*>()) texts << button->text();
        for (auto* label : dialog->findChildren<QLabel*>()) texts << label->text();
        texts << dialog->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) box->button(QMessageBox::Ok)->click();
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) files->reject();
    });
    show();
    return texts;
}

QStringList EndBoxTexts() {
    return TextsOfModalDialog([] {
        ShowMessageBox(nullptr, {BoxKind::Information, QString::fromUtf8("Informação"),
                                 QString::fromUtf8("Conversão de dados finalizada."), "Cidades: 2 lidos, 2 gravados"});
    });
}

QStringList FileDialogTexts() {
    return TextsOfModalDialog([] { ChooseFile(nullptr, "Bancos de Dados Ordelio (*.fb)"); });
}

class TranslationTest : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { QLocale::setDefault(before); }
    QtApplication app;
    const QLocale before;
};

TEST_P(TranslationTest, StandardButtonsAndFileDialogsArePortuguese) {
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    {
        const ToolkitTranslation portuguese;
        ASSERT_TRUE(portuguese.loaded()) << "Qt's translations (Debian: qt6-translations-l10n) are not installed";
        EXPECT_EQ(QLocale().name(), "pt_BR");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Open"), "Abrir");

        const QStringList box = EndBoxTexts();
        EXPECT_TRUE(box.contains("OK")) << box.join('|').toStdString();
        EXPECT_TRUE(box.contains(QString::fromUtf8("Mostrar detalhes..."))) << box.join('|').toStdString();
        EXPECT_FALSE(box.contains("Show Details...")) << box.join('|').toStdString();

        const QStringList files = FileDialogTexts();
        EXPECT_TRUE(files.contains("Cancelar")) << files.join('|').toStdString();
        EXPECT_TRUE(files.contains("&Abrir")) << files.join('|').toStdString();
        EXPECT_FALSE(files.contains("Cancel")) << files.join('|').toStdString();
    }
    // Removed with its holder: the toolkit's own English is back.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(QLocale().name(), QLocale(QString::fromLatin1(GetParam())).name());
}

INSTANTIATE_TEST_SUITE_P(Locales, TranslationTest, ::testing::Values("C", "pt_BR", "en_US"));

}  // namespace
}  // namespace conversor::testing
