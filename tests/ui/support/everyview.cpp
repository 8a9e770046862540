#include "tests/ui/support/everyview.h"

#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <filesystem>

#include "ui/forms/about.h"
#include "ui/forms/adjust.h"
#include "ui/forms/boot.h"
#include "ui/forms/formbootsequential.h"
#include "ui/forms/printedpages.h"
#include "ui/forms/quit.h"
#include "ui/forms/screenfit.h"
#include "ui/forms/sequence.h"
#include "ui/forms/servicehistory.h"
#include "ui/panels/operationpanel.h"

namespace opal::testing {
namespace {

void Show(QWidget& window, const QRect& screen) {
  ui::FitOnScreen(window, screen);
  window.show();
  QApplication::processEvents();
}

void Look(const std::string& view, QWidget& window, const QRect& screen, const ViewLook& look) {
  Show(window, screen);
  look(view, window);
  window.hide();
}

// Each operation panel of a program form shown in its operation area.
template <class Form>
void EveryPanel(const std::string& name, Form& form, const QRect& screen, const ViewLook& look) {
  Show(form, screen);
  for (ui::OperationPanel* panel : form.template findChildren<ui::OperationPanel*>()) {
    form.ResetPanels(false);
    form.ShowPanel(panel->Id());
    QApplication::processEvents();
    look(name + ", panel " + panel->objectName().toStdString(), form);
  }
  form.hide();
}

}  // namespace

void ForEveryView(UiWorld& world, const QRect& screen, const ViewLook& look) {
  ui::Navigator& forms = world.forms;
  Look("start-up form", *forms.FormBoot, screen, look);

  ui::TFormAdjust& adjust = *forms.FormAdjust;
  Show(adjust, screen);
  auto& tabs = Find<QTabWidget>(adjust, "AdjustmentTab");
  for (int tab = 0; tab < tabs.count(); ++tab) {
    tabs.setCurrentIndex(tab);
    QApplication::processEvents();
    look("individual form, tab " + tabs.tabText(tab).toStdString(), adjust);
  }
  EveryPanel("individual form", adjust, screen, look);

  Look("quit form", *forms.FormQuit, screen, look);
  Look("repair menu", *forms.FormBootSequential, screen, look);
  ui::TFormSequentialRepair& repair = *forms.FormSequentialRepair;
  for (int chain = 1; chain <= 7; ++chain) {
    repair.ShowRepairChain(chain, true, false);
    Look("repair form, repair " + std::to_string(chain), repair, screen, look);
  }
  EveryPanel("repair form", repair, screen, look);
  Look("about box", *forms.AboutBox, screen, look);
  if (forms.FormServiceHistory) Look("service history", *forms.FormServiceHistory, screen, look);

  const std::filesystem::path pages = world.dir.path() / "pages";
  std::filesystem::create_directories(pages);
  ui::TFormPrintedPages printed({QString::fromStdString(pages.string()),
                                 {QStringLiteral("Corvane Opal 320"), QStringLiteral("SN 0001")}});
  Look("Printed pages window", printed, screen, look);
}

}  // namespace opal::testing
