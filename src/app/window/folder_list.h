// A folder list: the entries the window's logic gives, each inside the one
// whose depth is one less before it. Activating an entry (double click,
// Enter) reports its index.
#ifndef S1ORDO_APP_WINDOW_FOLDER_LIST_H_
#define S1ORDO_APP_WINDOW_FOLDER_LIST_H_

#include <QTreeWidget>
#include <vector>

#include "app/converter_window_logic.h"

namespace s1ordo {

class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);
  void Show(const std::vector<FolderEntry>& entries, int current);
  // The index of an entry, as Show was given it.
  static int EntryIndex(const QTreeWidgetItem* item);

 signals:
  void entryActivated(int index);
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_FOLDER_LIST_H_
