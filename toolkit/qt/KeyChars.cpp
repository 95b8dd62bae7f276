#include "toolkit/qt/KeyChars.h"

namespace {
// Values above 127 are Latin-1 bytes; char is signed here, so go through unsigned char.
unsigned Code(char Key) { return static_cast<unsigned char>(Key); }
char FromCode(unsigned Code) { return static_cast<char>(static_cast<unsigned char>(Code)); }
}  // namespace

char HandlerChar(QChar C) {
  const unsigned u = C.unicode();
  return FromCode(u <= 0xFF ? u : 0x80);
}

QChar CharFromHandler(char Key) { return QChar(static_cast<char16_t>(Code(Key))); }

char KeyPressChar(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers mods = Event.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
  if (mods & (Qt::AltModifier | Qt::MetaModifier)) return 0;
  const bool ctrl = (mods & Qt::ControlModifier) != 0;
  const int key = Event.key();
  switch (key) {
    case Qt::Key_Backspace:
      return ctrl ? 0 : '\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ctrl ? 0 : '\r';
    case Qt::Key_Escape:
      return '\x1b';
    default:
      break;
  }
  if (ctrl) return key >= Qt::Key_A && key <= Qt::Key_Z ? FromCode(static_cast<unsigned>(key - Qt::Key_A + 1)) : 0;
  const QString text = Event.text();
  if (text.size() != 1 || !text.at(0).isPrint()) return 0;
  return HandlerChar(text.at(0));
}

std::unique_ptr<QKeyEvent> KeyEventFor(char Key) {
  const unsigned c = Code(Key);
  const QString text(CharFromHandler(Key));
  switch (c) {
    case 8:
      return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, text);
    case 13:
      return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, text);
    case 27:
      return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, text);
    default:
      break;
  }
  if (c >= 1 && c <= 26)
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A + static_cast<int>(c) - 1, Qt::ControlModifier, text);
  if (!text.at(0).isPrint()) return nullptr;
  // Qt's key codes for printable ASCII are the characters themselves, letters upper case.
  int key = Qt::Key_unknown;
  if (c >= 'a' && c <= 'z')
    key = static_cast<int>(c - 'a') + Qt::Key_A;
  else if (c < 0x80)
    key = static_cast<int>(c);
  return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, Qt::NoModifier, text);
}
