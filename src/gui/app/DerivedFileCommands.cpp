#include "gui/app/DerivedFileCommands.h"

#include <QFileDialog>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/DerivedFiles.h"
#include "document/TransformerForm.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/TransformerDialog.h"

namespace varelo {

void RunDerivedFilesCommand(const CVamor800Doc& doc, UserInterface& ui) {
    CreateDerivedFiles(doc, ui);
}

void RunChangeTransformerCommand(Settings& settings, UserInterface& ui, QWidget* parent) {
    QFileDialog open(parent, QStr(342), Q(settings.ReadString(setting::SavePathMeasurementfile)));
    open.setFileMode(QFileDialog::ExistingFile);
    open.setNameFilters(DialogNameFilters(Str(1021)));
    open.setDefaultSuffix("VXM");
    if (ModalRunner::Exec(open) != QDialog::Accepted || open.selectedFiles().isEmpty()) return;
    const std::string path = S(open.selectedFiles().first());
    if (path.empty()) return;
    ChangeCurrentTransformer(
        path,
        [&](CMeasurementJob& job) {
            TransformerDialog dialog(job, AppOptions::Instance().PhaseLabeling(), ui, parent);
            if (ModalRunner::Exec(dialog) != QDialog::Accepted) return false;
            job = dialog.Job();
            return true;
        },
        ui);
}

}  // namespace varelo
