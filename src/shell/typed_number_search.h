// Lists of numbers (days, years) take typed numbers: "2" chooses the 2nd, "1985" is
// reached key by key. Qt's own search would take "2" for the first entry beginning with
// a 2 ("20"). Installed once on the application, it serves every such list.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <string>

class QComboBox;

namespace zarim {

class TypedNumberSearch : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QComboBox> list_;  // the list the digits so far were typed into
  std::string typed_;
  QElapsedTimer since_;
};

void InstallTypedNumberSearch();

}  // namespace zarim
