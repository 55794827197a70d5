#include "comm/SerialLine.h"

#include <termios.h>

namespace quillon {
namespace {

bool LineSpeed(int baudRate, speed_t* speed) {
    static const struct {
        int rate;
        speed_t speed;
    } kSpeeds[] = {{9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
                   {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& s : kSpeeds) {
        if (s.rate == baudRate) {
            *speed = s.speed;
            return true;
        }
    }
    return false;
}

}  // namespace

LineSetup SetUpRawLine(int fd, int baudRate) {
    termios tty;
    if (tcgetattr(fd, &tty) != 0) return LineSetup::CannotGet;
    speed_t speed;
    if (!LineSpeed(baudRate, &speed)) return LineSetup::UnsupportedSpeed;
    cfsetospeed(&tty, speed);
    cfsetispeed(&tty, speed);
    tty.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tty.c_cflag |= CS8 | CREAD | CLOCAL;
    tty.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ISIG);
    tty.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tty.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    if (tcsetattr(fd, TCSANOW, &tty) != 0) return LineSetup::CannotSet;
    return LineSetup::Ok;
}

}  // namespace quillon
