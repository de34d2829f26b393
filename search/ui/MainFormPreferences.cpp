// TMainForm: the Preferences command.

#include <QAbstractItemView>

#include "search/settings/RegisterDll.h"
#include "search/settings/forms/ConfigurationForm.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsView.h"

namespace {

bool RunConfigurationForm(QWidget* owner, TDataMod& dataMod) {
  TRegisterDll shellIntegration;
  TConfigurationForm form(dataMod, shellIntegration, owner);
  return form.exec() == QDialog::Accepted;
}

}  // namespace

void TMainForm::PreferencesClick() {
  const auto run = RunPreferences ? RunPreferences : RunConfigurationForm;
  if (!run(this, dataMod_)) return;
  ApplyDisplaySettings();
  ApplyLayoutConstraints();
  vstResults_->viewport()->update();
}
