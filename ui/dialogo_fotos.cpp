#include "dialogo_fotos.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "carregador_fotos.h"
#include "dialogo_arquivo.h"
#include "figuras.h"

namespace {
// Both cases, since file names on this desktop are case-sensitive.
QString Padroes(std::initializer_list<const char*> extensoes) {
  QStringList p;
  for (const char* e : extensoes) {
    const QString ext = QString::fromLatin1(e);
    p << QStringLiteral("*.") + ext << QStringLiteral("*.") + ext.toUpper();
  }
  return p.join(QLatin1Char(' '));
}
}  // namespace

TDialogoFotos::TDialogoFotos(QWidget* parent) : QFileDialog(parent, QStringLiteral("Escolha a foto do candidato")) {
  setObjectName("LdFotos");
  setOption(QFileDialog::DontUseNativeDialog, true);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  RecolherSugestoesAoFechar(*this);
  setNameFilters({
      QStringLiteral("Todas as figuras (%1)").arg(Padroes({"bmp", "ico", "emf", "wmf", "jpg", "jpeg", "png"})),
      QStringLiteral("Bitmaps (%1)").arg(Padroes({"bmp"})),
      QStringLiteral("Ícones (%1)").arg(Padroes({"ico"})),
      QStringLiteral("Metarquivos avançados (%1)").arg(Padroes({"emf"})),
      QStringLiteral("Metarquivos (%1)").arg(Padroes({"wmf"})),
      QStringLiteral("Imagens JPEG (%1)").arg(Padroes({"jpg", "jpeg"})),
      QStringLiteral("Imagens PNG (%1)").arg(Padroes({"png"})),
  });

  previa_ = new QLabel(this);
  previa_->setObjectName("Previa");
  previa_->setFixedSize(160, 160);
  previa_->setAlignment(Qt::AlignCenter);
  previa_->setFrameShape(QFrame::StyledPanel);
  previa_->setText(QStringLiteral("Prévia"));
  if (auto* grade = qobject_cast<QGridLayout*>(layout()))
    grade->addWidget(previa_, 0, grade->columnCount(), grade->rowCount(), 1, Qt::AlignCenter);
  carregador_ = new TCarregadorFotos(this);
  // A preview still loading when the dialog closes is of no more use.
  connect(this, &QDialog::finished, this, [this] {
    carregador_->Cancelar(carregando_);
    carregando_ = 0;
  });
  connect(this, &QFileDialog::currentChanged, this, &TDialogoFotos::MostrarPrevia);
}

void TDialogoFotos::MostrarPrevia(const QString& caminho) {
  carregador_->Cancelar(carregando_);
  carregando_ = 0;
  previa_->setPixmap({});
  if (!QFileInfo(caminho).isFile()) {
    previa_->setText(QStringLiteral("Prévia"));
    return;
  }
  previa_->setText(QStringLiteral("Carregando..."));
  const QSize area = previa_->size() - QSize(8, 8);
  carregando_ = carregador_->Carregar(
      caminho, qMax(area.width(), area.height()), [this, area](const QImage& foto, const QString& erro) {
        carregando_ = 0;
        if (erro.isEmpty())
          previa_->setPixmap(QPixmap::fromImage(foto.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        else
          previa_->setText(QStringLiteral("Sem prévia"));
        emit PreviaPronta();
      });
}
