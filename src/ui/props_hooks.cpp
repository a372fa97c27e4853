// Default implementations of the properties dialog's seams.
#include "ui/props_hooks.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QStringList>

#include "ui/props_text.h"

namespace astrelle {

namespace pt = props_text;

QString QtFileFilter(const QString& types) {
    const QStringList parts = types.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty()) continue;
        // "*.*" means every file here, also those without a point in their name.
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        QString description = parts[i].trimmed();
        const qsizetype bracket = description.indexOf(QLatin1Char('('));
        if (bracket > 0) description = description.left(bracket).trimmed();
        filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString SelectTemplateFileWithFileDialog(QWidget* parent, bool open, const QString& title,
                                         const QString& types) {
    QFileDialog dialog(parent, title);
    dialog.setNameFilter(QString());
    dialog.setNameFilters(QtFileFilter(types).split(QStringLiteral(";;")));
    if (open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("glx"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

PropsHooks DefaultPropsHooks() {
    PropsHooks hooks;
    hooks.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                       QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
        QMessageBox box(icon, QString::fromUtf8(pt::kMessageTitle), text, buttons, parent);
        box.setDefaultButton(defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    hooks.beep = [] { QApplication::beep(); };
    hooks.selectTemplateFile = SelectTemplateFileWithFileDialog;
    hooks.showAdvanced = [](QWidget*, QString&) {};
    hooks.showAbout = [](QWidget*) {};
    hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return hooks;
}

void OpenProductPage(QWidget* parent, const PropsHooks& hooks) {
    const QString address = QString::fromUtf8(pt::kProductPageUrl);
    if (hooks.openUrl && hooks.openUrl(QUrl(address))) return;
    const QString text = QString::fromUtf8(pt::kWebPageFailed) + QStringLiteral("\n\n") +
                         QString::fromUtf8(pt::kWebPageNeedsBrowser) + QStringLiteral("\n\n") +
                         QString::fromUtf8(pt::kUrlPrefix) + address;
    if (hooks.message) hooks.message(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace astrelle
