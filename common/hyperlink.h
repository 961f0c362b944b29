#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <cstdint>
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
//
// The design-time properties are stored and designable, so a form keeps
// them. Enabled and the repaint are QWidget's own (enabled, update()); the
// mouse pointer and its picture are QWidget's cursor.
class FreeLink : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor BackColor READ BackColor WRITE BackColorSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QColor ForeColor READ ForeColor WRITE ForeColorSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QFont Font READ Font WRITE FontSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(int16_t BorderStyle READ BorderStyle WRITE BorderStyleSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE AutoSizeSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE WordWrapSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QString Caption READ Caption WRITE CaptionSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QString HyperLink READ HyperLink WRITE HyperLinkSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE MouseIconSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(Qt::CursorShape MousePointer READ MousePointer WRITE MousePointerSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(int16_t OLEDropMode READ OLEDropMode WRITE OLEDropModeSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(bool UseMnemonic READ UseMnemonic WRITE UseMnemonicSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QFont FontActive READ FontActive WRITE FontActiveSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QColor ForeColorActive READ ForeColorActive WRITE ForeColorActiveSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(int16_t Appearance READ Appearance WRITE AppearanceSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE AlignmentSetzen STORED true DESIGNABLE true)
  Q_PROPERTY(QColor BackColorActive READ BackColorActive WRITE BackColorActiveSetzen STORED true DESIGNABLE true)

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
  bool WordWrap() const;
  void WordWrapSetzen(bool an);
  Qt::Alignment Alignment() const;
  void AlignmentSetzen(Qt::Alignment ausrichtung);

  // 0 no border, 1 a single line; Appearance 1 draws it sunken (3D),
  // 0 flat. Other values are not taken.
  int16_t BorderStyle() const { return borderStyle_; }
  void BorderStyleSetzen(int16_t stil);
  int16_t Appearance() const { return appearance_; }
  void AppearanceSetzen(int16_t art);

  // On: an "&" in the caption marks the next letter as the mnemonic ("&&"
  // shows one "&"); off: the caption shows as written.
  bool UseMnemonic() const;
  void UseMnemonicSetzen(bool an);

  // The pointer over the link. A picture (MouseIcon) becomes the pointer
  // itself, which MousePointer then reads as Qt::BitmapCursor; writing
  // Qt::BitmapCursor or Qt::CustomCursor keeps the picture.
  Qt::CursorShape MousePointer() const { return cursor().shape(); }
  void MousePointerSetzen(Qt::CursorShape form);
  QPixmap MouseIcon() const;
  void MouseIconSetzen(const QPixmap& bild);

  // Opens the target; an empty target does nothing.
  void OpenURL();
  // True while the hover look is shown.
  bool Aktiv() const { return aktiv_; }

  QSize sizeHint() const override;

 signals:
  void Click();
  void DblClick();
  // The button (for a move: the buttons held), the modifier keys and the
  // position on the caption's label.
  void MouseDown(Qt::MouseButtons knopf, Qt::KeyboardModifiers umschalt, QPointF position);
  void MouseMove(Qt::MouseButtons knopf, Qt::KeyboardModifiers umschalt, QPointF position);
  void MouseUp(Qt::MouseButtons knopf, Qt::KeyboardModifiers umschalt, QPointF position);

 protected:
  void enterEvent(QEnterEvent* ereignis) override;
  void leaveEvent(QEvent* ereignis) override;
  void mousePressEvent(QMouseEvent* ereignis) override;
  void mouseMoveEvent(QMouseEvent* ereignis) override;
  void mouseReleaseEvent(QMouseEvent* ereignis) override;
  void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
  void resizeEvent(QResizeEvent* ereignis) override;

 private:
  void aussehen(bool aktiv);
  void groesseAnpassen();
  void rahmenZeigen();
  QPointF aufDemLabel(const QMouseEvent* ereignis) const;

  // Dropping data onto the control: 0 none, 1 the control lets drags in
  // (it has no drop handling of its own). Kept with the form, not offered to
  // callers; other values are not taken.
  int16_t OLEDropMode() const { return acceptDrops() ? 1 : 0; }
  void OLEDropModeSetzen(int16_t modus);

  QLabel* lblLink_;
  QTimer* tmrMouse_;
  QColor backColor_, foreColor_, backColorActive_, foreColorActive_;
  QFont font_, fontActive_;
  QString hyperLink_;
  bool autoSize_ = false;
  int16_t borderStyle_ = 0;
  int16_t appearance_ = 1;
  bool aktiv_ = false;
  bool groesseAendern_ = false;
  // The button of a double click is down: its release is no second click.
  bool doppelklick_ = false;
};

}  // namespace pv
