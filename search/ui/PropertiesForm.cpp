#include "search/ui/PropertiesForm.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <sys/stat.h>

#include "platform/fs/FileSystem.h"
#include "search/engine/results/DateTimeText.h"
#include "search/ui/ByteText.h"

namespace {

QString Times(double day) { return day == 0 ? QString("unavailable") : DisplayString(search::FormatDateTime(day)); }

QString Attributes(int32_t attributes) {
  if (attributes == -1) return "unavailable";
  QStringList names;
  const struct {
    int32_t bit;
    const char* name;
  } known[] = {{platform::fs::kReadOnly, "Read-only"}, {platform::fs::kHidden, "Hidden"},
               {platform::fs::kSystem, "System"},     {platform::fs::kDirectory, "Folder"},
               {platform::fs::kArchive, "Archive"},   {platform::fs::kCompressed, "Compressed"}};
  for (const auto& attribute : known) {
    if (attributes & attribute.bit) names << attribute.name;
  }
  return names.isEmpty() ? QString("none") : names.join(", ");
}

QString Permissions(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "unavailable";
  const char* letters = "rwxrwxrwx";
  QString text;
  for (int bit = 0; bit < 9; ++bit) text += (info.st_mode & (0400 >> bit)) ? QChar(letters[bit]) : QChar('-');
  return QString("%1 (%2)").arg(text).arg(info.st_mode & 07777, 4, 8, QChar('0'));
}

QLabel* Value(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TPropertiesForm::TPropertiesForm(const std::string& path, QWidget* parent) : QDialog(parent) {
  setObjectName("PropertiesForm");
  setFont(QFont());
  const QString shown = DisplayString(path);
  const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(path)));
  setWindowTitle("Properties of " + DisplayString(platform::fs::FileNamePart(path)));
  const platform::fs::FileFacts facts = platform::fs::QueryFile(path);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  const auto row = [&](const char* name, const char* label, const QString& text) {
    QLabel* value = Value(text, this);
    value->setObjectName(name);
    form->addRow(label, value);
  };
  row("lbPath", "Path:", shown);
  row("lbSize", "Size:", facts.size < 0 ? QString("unavailable")
                                        : QString("%1 byte%2").arg(facts.size).arg(facts.size == 1 ? "" : "s"));
  row("lbCreated", "Created:", Times(facts.created));
  row("lbModified", "Modified:", Times(facts.modified));
  row("lbAccessed", "Accessed:", Times(facts.accessed));
  row("lbAttributes", "Attributes:", Attributes(facts.attributes));
  row("lbPermissions", "Permissions:", Permissions(path));
  row("lbOwner", "Owner:", info.exists() ? info.owner() : QString("unavailable"));
  row("lbGroup", "Group:", info.exists() ? info.group() : QString("unavailable"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}
