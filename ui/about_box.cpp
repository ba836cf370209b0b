#include "ui/about_box.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/message_presenter.h"
#include "ui/program_icon.h"
#include "ui/web_links.h"

namespace corvane {

void ShowAboutBox(QWidget* parent) {
  QDialog box(parent);
  box.setObjectName("frmAbout");
  box.setWindowTitle(kWindowCaption);
  box.setModal(true);
  auto* layout = new QVBoxLayout(&box);

  auto* head = new QHBoxLayout;
  auto* icon = new QLabel(&box);
  icon->setObjectName("picIcon");
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* title = new QLabel(kWindowCaption, &box);
  title->setObjectName("lblTitle");
  QFont big = title->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  title->setFont(big);
  head->addWidget(icon);
  head->addWidget(title, 1);
  layout->addLayout(head);

  auto* description = new QLabel(
      "Corvane calculates the different Lagnas or Ascendants on the basis of Vedic Astrology. Ascendants "
      "give us an insight into the various areas of our life and act as a guide to the kind of life we are "
      "destined to have. These special lagnas gives us more information about our outer and inner "
      "personality, fame, fortune, wealth, prosperity, relationships and career.",
      &box);
  description->setObjectName("lblDescription");
  description->setWordWrap(true);
  description->setMinimumWidth(380);
  layout->addWidget(description);

  auto* home = new QLabel(QString("<a href=\"home\">Click here to visit %1</a>").arg(HomePageUrl()), &box);
  home->setObjectName("lblHomePage");
  QObject::connect(home, &QLabel::linkActivated, &box, [&box] { OpenWebPage(HomePageUrl(), &box); });
  layout->addWidget(home);

  // The data and the library the program is built on, as their licences ask.
  auto* credits = new QLabel(
      "Place data: GeoNames (www.geonames.org), CC BY 4.0. Precise positions: the Swiss Ephemeris of "
      "Astrodienst AG. Corvane is free software under the GNU Affero General Public License, version 3 or "
      "later.",
      &box);
  credits->setObjectName("lblCredits");
  credits->setWordWrap(true);
  credits->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(credits);

  auto* ok = new QPushButton("OK", &box);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
  box.exec();
}

}  // namespace corvane
