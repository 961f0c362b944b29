#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace pv {

// The address a link target opens: a target with a scheme ("https:",
// "mailto:", "file:") as it is, any other as a file; a relative one names a
// file of the program folder.
QUrl linkAdresse(const QString& ziel);

// A label that behaves like a link: while the mouse is over it, it shows its
// hover font, text colour and background (by default underlined red text);
// a click opens its target (a web address, "mailto:" or a file) with the
// program the desktop associates with it.
class FreeLink : public QWidget {
  Q_OBJECT

 public:
  explicit FreeLink(QWidget* eltern = nullptr);

  // Opens a target's address; the default asks the desktop. Tests put their
  // own in.
  using Oeffner = std::function<void(const QUrl& adresse)>;
  static void oeffnerSetzen(Oeffner oeffner);

  QColor BackColor() const { return backColor_; }
  void BackColorSetzen(const QColor& farbe);
  QColor ForeColor() const { return foreColor_; }
  void ForeColorSetzen(const QColor& farbe);
  QFont Font() const { return font_; }
  void FontSetzen(const QFont& schrift);
  QColor BackColorActive() const { return backColorActive_; }
  void BackColorActiveSetzen(const QColor& farbe) { backColorActive_ = farbe; }
  QColor ForeColorActive() const { return foreColorActive_; }
  void ForeColorActiveSetzen(const QColor& farbe) { foreColorActive_ = farbe; }
  QFont FontActive() const { return fontActive_; }
  void FontActiveSetzen(const QFont& schrift) { fontActive_ = schrift; }

  QString Caption() const;
  void CaptionSetzen(const QString& text);
  QString HyperLink() const { return hyperLink_; }
  void HyperLinkSetzen(const QString& ziel) { hyperLink_ = ziel; }
  bool AutoSize() const { return autoSize_; }
  void AutoSizeSetzen(bool an);
  void AlignmentSetzen(Qt::Alignment ausrichtung);

  // Opens the target; an empty target does nothing.
  void OpenURL();
  // True while the hover look is shown.
  bool Aktiv() const { return aktiv_; }

  QSize sizeHint() const override;

 signals:
  void Click();

 protected:
  void enterEvent(QEnterEvent* ereignis) override;
  void leaveEvent(QEvent* ereignis) override;
  void mouseReleaseEvent(QMouseEvent* ereignis) override;
  void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
  void resizeEvent(QResizeEvent* ereignis) override;

 private:
  void aussehen(bool aktiv);
  void groesseAnpassen();

  QLabel* lblLink_;
  QTimer* tmrMouse_;
  QColor backColor_, foreColor_, backColorActive_, foreColorActive_;
  QFont font_, fontActive_;
  QString hyperLink_;
  bool autoSize_ = false;
  bool aktiv_ = false;
  bool groesseAendern_ = false;
  // The button of a double click is down: its release is no second click.
  bool doppelklick_ = false;
};

}  // namespace pv
