// first-map COMMAND [ARGS...]
//
// Starts COMMAND (standard streams to /dev/null) and prints "PID MILLISECONDS" as soon as the first
// top-level window is mapped after the start: the first MapNotify on the root window that is not
// an override-redirect window (under a window manager, the frame it maps around the new window).
// The time runs from just before fork() to the arrival of that event. Then it waits for COMMAND
// to end (the caller stops it by PID) and exits with its status. Exit 2 when no window appears
// within 30 s or COMMAND ends first.
#define _GNU_SOURCE
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static int exit_status(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: first-map COMMAND [ARGS...]\n");
        return 2;
    }
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(NULL, &screen_number);
    if (xcb_connection_has_error(connection)) {
        fprintf(stderr, "first-map: cannot open the display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&screens);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t* error =
        xcb_request_check(connection, xcb_change_window_attributes_checked(connection, screens.data->root,
                                                                           XCB_CW_EVENT_MASK, &mask));
    if (error) {
        fprintf(stderr, "first-map: cannot watch the root window (X error %d)\n", error->error_code);
        return 2;
    }
    const int fd = xcb_get_file_descriptor(connection);
    fcntl(fd, F_SETFD, FD_CLOEXEC);

    const double started = now_ms();
    const pid_t pid = fork();
    if (pid < 0) {
        perror("first-map: fork");
        return 2;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    const double deadline = started + 30000.0;
    for (;;) {
        xcb_generic_event_t* event;
        while ((event = xcb_poll_for_event(connection)) != NULL) {
            const int type = event->response_type & 0x7f;
            const int normal = type == XCB_MAP_NOTIFY && !((xcb_map_notify_event_t*)event)->override_redirect;
            free(event);
            if (normal) {
                printf("%d %.3f\n", (int)pid, now_ms() - started);
                fflush(stdout);
                int status = 0;
                waitpid(pid, &status, 0);
                return exit_status(status);
            }
        }
        if (xcb_connection_has_error(connection)) {
            fprintf(stderr, "first-map: lost the display\n");
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            fprintf(stderr, "first-map: %s ended (status %d) before mapping a window\n", argv[1],
                    exit_status(status));
            return 2;
        }
        const double left = deadline - now_ms();
        if (left <= 0) {
            fprintf(stderr, "first-map: no window within 30 s\n");
            break;
        }
        struct pollfd wait_for = {fd, POLLIN, 0};
        poll(&wait_for, 1, left < 50 ? (int)left + 1 : 50);
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    return 2;
}
