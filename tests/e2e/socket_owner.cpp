// socket_owner ADDRESS PORT: binds a UDP socket to ADDRESS (IPv4 or IPv6) and PORT (0: any),
// prints "PID PORT" (this process's Windows id and the bound port) and holds the socket until
// its standard input ends. Wine 8 names a socket's owner only once the Windows process has
// used the socket itself, hence the one non-blocking recv, which fails at once.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    WSADATA wsa = {};
    addrinfo hints = {};
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST | AI_PASSIVE;
    addrinfo* address = nullptr;
    if (argc != 3 || WSAStartup(MAKEWORD(2, 2), &wsa) != 0 ||
        getaddrinfo(argv[1], argv[2], &hints, &address) != 0)
        return 2;
    SOCKET s = socket(address->ai_family, SOCK_DGRAM, IPPROTO_UDP);
    u_long nonBlocking = 1;
    char byte = 0;
    sockaddr_storage bound = {};
    int length = sizeof(bound);
    if (s == INVALID_SOCKET || bind(s, address->ai_addr, static_cast<int>(address->ai_addrlen)) ||
        ioctlsocket(s, FIONBIO, &nonBlocking) || recv(s, &byte, 1, 0) != SOCKET_ERROR ||
        WSAGetLastError() != WSAEWOULDBLOCK ||
        getsockname(s, reinterpret_cast<sockaddr*>(&bound), &length))
        return 1;
    // sin_port and sin6_port lie at the same offset.
    std::printf("%lu %u\n", GetCurrentProcessId(),
                ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port));
    std::fflush(stdout);
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &read, nullptr) && read > 0) {
    }
    closesocket(s);
    return 0;
}
