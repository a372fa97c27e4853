// TEMPORARY: the properties dialog is built on its own branch. Until it is merged, the
// inputs that open it show a plain note instead, so they never crash or hang.
#include "shell/properties_seam.h"

#include <QMessageBox>

#include "engine/process_values.h"

namespace astrelle {

void ShowPropertiesDialog(QWidget* parent, ProcessValues&) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Astrelle"),
                    QStringLiteral("The properties dialog is not part of this build yet."), QMessageBox::Ok,
                    parent);
    box.setWindowTitle(QString::fromLatin1(kPropertiesCaption));
    box.exec();
}

}  // namespace astrelle
