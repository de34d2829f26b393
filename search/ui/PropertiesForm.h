#pragma once
// TPropertiesForm: the Properties window of one file: its path, size, times, attributes,
// permissions, owner and group.

#include <QDialog>
#include <string>

class TPropertiesForm final : public QDialog {
  Q_OBJECT

 public:
  TPropertiesForm(const std::string& path, QWidget* parent = nullptr);
};
