// A folder list: the folder's ancestors from the root down, each inside the
// one before, the folder itself (current entry) and its sub-folders.
// Activating an entry (double click, Enter) moves the list to that folder.
#ifndef S1ORDO_APP_WINDOW_FOLDER_LIST_H_
#define S1ORDO_APP_WINDOW_FOLDER_LIST_H_

#include <QString>
#include <QTreeWidget>

namespace s1ordo {

class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);

  // The folder shown, absolute, "/" separators.
  QString path() const { return path_; }
  // Moves to the folder and emits pathChanged when it differs from the one
  // shown; false, with nothing changed, when the path is not a folder.
  bool setPath(const QString& path);
  // The folder an entry stands for.
  static QString EntryPath(const QTreeWidgetItem* item);

 signals:
  void pathChanged();

 private:
  void Fill();

  QString path_;
};

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_FOLDER_LIST_H_
