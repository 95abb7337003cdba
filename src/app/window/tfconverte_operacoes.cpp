// The two operation selectors: a code edit and a drop-down list of the
// target's operations, whose key value is the code the document converters
// file payables and receivables under.
#include <QLineEdit>
#include <QSignalBlocker>

#include "app/window/key_codes.h"
#include "app/window/operation_combo.h"
#include "app/window/tfconverte.h"
#include "text/text_ops.h"

namespace conversor {

void TFConverte::CarregaOperacoesPagar() { carrega(pagar_); }
void TFConverte::CarregaOperacoesReceber() { carrega(receber_); }
bool TFConverte::ValidaOperacaoPagar() { return valida(pagar_); }
bool TFConverte::ValidaOperacaoReceber() { return valida(receber_); }

void TFConverte::HabilitaOperacoes(bool flag) {
    for (QWidget* w : std::initializer_list<QWidget*>{pagar_.code, receber_.code, pagar_.list, receber_.list})
        w->setEnabled(flag);
}

bool TFConverte::CodOperContasPagarKeyPress(QChar typed) {
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed.unicode() == kKeyBackspace ||
           typed.unicode() == kKeyEnter;
}

void TFConverte::CodOperContasPagarChange() { codeChanged(pagar_); }
void TFConverte::CodOperContasReceberChange() { codeChanged(receber_); }

void TFConverte::CodOperContasPagarExit() {
    // Only Enter validates; Tab or the mouse leave the edit as it is.
    if (UltimaTecla == kKeyEnter) ValidaOperacaoPagar();
}
void TFConverte::CodOperContasReceberExit() {
    if (UltimaTecla == kKeyEnter) ValidaOperacaoReceber();
}

void TFConverte::MostraOperacaoContasPagarClick() { listClicked(pagar_); }
void TFConverte::MostraOperacaoContasReceberClick() { listClicked(receber_); }
void TFConverte::MostraOperacaoContasPagarCloseUp() { listClosedUp(pagar_); }
void TFConverte::MostraOperacaoContasReceberCloseUp() { listClosedUp(receber_); }
void TFConverte::MostraOperacaoContasPagarEnter() { listEntered(pagar_); }
void TFConverte::MostraOperacaoContasReceberEnter() { listEntered(receber_); }

void TFConverte::carrega(OperationSelector& s) {
    s.operations.load(session_.CnOrdelio);  // nothing once loaded
    if (s.list->count() == 0) {
        const QSignalBlocker quiet(s.list);
        for (const Operation& op : s.operations.rows()) s.list->addItem(FromWindows1252(op.descricao));
    }
    setKeyValue(s, s.keyValue);
}

bool TFConverte::valida(OperationSelector& s) {
    if (s.code->text().isEmpty()) return true;
    s.code->setText(QString::fromStdString(StrZero(s.code->text().toStdString(), 3)));
    const std::string code = s.code->text().toStdString();
    if (s.operations.find(code)) {
        setKeyValue(s, code);
        return true;
    }
    showBox({BoxKind::Warning, Caption(BoxKind::Warning), QString::fromUtf8("Operação não cadastrada."), {}});
    s.code->clear();  // the change handler empties the key value
    s.code->setFocus();
    return false;
}

void TFConverte::codeChanged(OperationSelector& s) {
    if (s.code->text().isEmpty()) setKeyValue(s, std::string());
}

void TFConverte::listClicked(OperationSelector& s) {
    // Only a choice of the operator's: the list has the window's focus.
    if (focusWidget() != s.list) return;
    const int row = s.list->currentIndex();
    if (row < 0 || row >= static_cast<int>(s.operations.rows().size())) return;
    const std::string code = s.operations.rows()[row].codOper;
    s.code->setText(FromWindows1252(code));
    setKeyValue(s, code);
}

void TFConverte::listClosedUp(OperationSelector&) {
    if (UltimaTecla != kKeyEscape && UltimaTecla != kKeyEnter) focusNextChild();
}

void TFConverte::listEntered(OperationSelector& s) {
    if (UltimaTecla == kKeyEnter && s.code->text().isEmpty()) s.list->showPopup();
}

void TFConverte::setKeyValue(OperationSelector& s, const std::string& code) {
    s.keyValue = code;
    int shown = -1;  // nothing when no operation has that code
    const auto& rows = s.operations.rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].codOper == code) {
            shown = static_cast<int>(i);
            break;
        }
    s.list->setCurrentIndex(shown);
}

}  // namespace conversor
