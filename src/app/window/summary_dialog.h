// The box that ends a run in the Qt window: the summary of what the run did
// and, below it, the details in full (every line added to the pattern data,
// every failure and warning), to read and copy.
#ifndef S1ORDO_APP_WINDOW_SUMMARY_DIALOG_H_
#define S1ORDO_APP_WINDOW_SUMMARY_DIALOG_H_

#include <QDialog>
#include <QString>
#include <memory>

namespace s1ordo {

// Object names: "Summary" (the label), "Details" (a read-only text, only
// when there are details), "Close" (the OK button).
std::unique_ptr<QDialog> MakeSummaryDialog(QWidget* parent, const QString& summary, const QString& details);

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_SUMMARY_DIALOG_H_
