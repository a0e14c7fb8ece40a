#include "app/window/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace s1ordo {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString Indent(int depth) { return QString(depth * 2, QLatin1Char(' ')); }

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { setPath(EntryPath(item)); });
}

QString FolderList::EntryPath(const QListWidgetItem* item) { return item->data(kPathRole).toString(); }

bool FolderList::setPath(const QString& path) {
  QFileInfo info(path);
  if (path.isEmpty() || !info.isDir()) return false;
  QString cleaned = QDir::cleanPath(info.absoluteFilePath());
  bool changed = cleaned != path_;
  path_ = cleaned;
  Fill();
  if (changed) emit pathChanged();
  return true;
}

void FolderList::Fill() {
  clear();
  QStringList chain;  // root first
  QDir dir(path_);
  for (;;) {
    chain.prepend(dir.absolutePath());
    if (dir.isRoot() || !dir.cdUp()) break;
  }
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (int depth = 0; depth < chain.size(); ++depth) {
    const QString& folder = chain[depth];
    QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
    auto* item = new QListWidgetItem(open, Indent(depth) + name, this);
    item->setData(kPathRole, folder);
  }
  QListWidgetItem* current = item(count() - 1);
  const int depth = static_cast<int>(chain.size());
  for (const QFileInfo& sub : QDir(path_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                        QDir::Name | QDir::IgnoreCase)) {
    auto* item = new QListWidgetItem(closed, Indent(depth) + sub.fileName(), this);
    item->setData(kPathRole, QDir::cleanPath(sub.absoluteFilePath()));
  }
  setCurrentItem(current);
  scrollToItem(current, QAbstractItemView::PositionAtTop);
}

}  // namespace s1ordo
