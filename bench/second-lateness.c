// second-lateness SECONDS WINDOW [X Y WIDTH HEIGHT]
//
// How late a clock's window shows each new second, seen from outside the program: for SECONDS
// seconds, the X server's damage reports (no polling) on WINDOW, or only on the rectangle
// X Y WIDTH HEIGHT of it, are stamped with the wall clock as they arrive. The first change in each
// wall-clock second counts; its lateness is how far past that whole second it came. Prints
// "CHANGES SECONDS MEDIAN_MS WORST_MS" (SECONDS whole seconds watched, so CHANGES short of it are
// seconds shown late into the next one or not at all). Exit 2 when the display, the extension or the
// window is missing.
#define _GNU_SOURCE
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

static int by_value(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double monotonic_s(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
    if (argc != 3 && argc != 7) {
        fprintf(stderr, "usage: second-lateness SECONDS WINDOW [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    const int seconds = atoi(argv[1]);
    const xcb_window_t window = (xcb_window_t)strtoul(argv[2], NULL, 0);
    int left = 0, top = 0, right = 1 << 16, bottom = 1 << 16;
    if (argc == 7) {
        left = atoi(argv[3]);
        top = atoi(argv[4]);
        right = left + atoi(argv[5]);
        bottom = top + atoi(argv[6]);
    }

    xcb_connection_t* connection = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(connection)) {
        fprintf(stderr, "second-lateness: cannot open the display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        fprintf(stderr, "second-lateness: the X server has no DAMAGE extension\n");
        return 2;
    }
    free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), NULL));
    const xcb_damage_damage_t watch = xcb_generate_id(connection);
    xcb_generic_error_t* error =
        xcb_request_check(connection, xcb_damage_create_checked(connection, watch, window,
                                                                XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES));
    if (error) {
        fprintf(stderr, "second-lateness: cannot watch window 0x%x (X error %d)\n", window,
                error->error_code);
        return 2;
    }

    double* lateness = calloc((size_t)seconds + 2, sizeof *lateness);
    int changes = 0;
    time_t last_second = 0;
    // Whole seconds: from the next one on.
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const time_t first_second = now.tv_sec + 1, end_second = first_second + seconds;
    const double give_up = monotonic_s() + seconds + 5;
    const int fd = xcb_get_file_descriptor(connection);
    for (;;) {
        xcb_generic_event_t* event;
        while ((event = xcb_poll_for_event(connection)) != NULL) {
            clock_gettime(CLOCK_REALTIME, &now);
            if ((event->response_type & 0x7f) == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const xcb_rectangle_t area = ((xcb_damage_notify_event_t*)event)->area;
                const int inside = area.x < right && area.x + area.width > left && area.y < bottom &&
                                   area.y + area.height > top;
                if (inside && now.tv_sec != last_second && now.tv_sec >= first_second &&
                    now.tv_sec < end_second && changes <= seconds) {
                    lateness[changes++] = now.tv_nsec / 1e6;
                    last_second = now.tv_sec;
                }
            }
            free(event);
        }
        if (xcb_connection_has_error(connection)) {
            fprintf(stderr, "second-lateness: lost the display\n");
            return 2;
        }
        clock_gettime(CLOCK_REALTIME, &now);
        if (now.tv_sec >= end_second || monotonic_s() > give_up)
            break;
        struct pollfd wait_for = {fd, POLLIN, 0};
        poll(&wait_for, 1, 100);
    }
    if (changes == 0) {
        fprintf(stderr, "second-lateness: the window never changed\n");
        return 2;
    }
    qsort(lateness, (size_t)changes, sizeof *lateness, by_value);
    const double median =
        changes % 2 ? lateness[changes / 2] : (lateness[changes / 2 - 1] + lateness[changes / 2]) / 2;
    printf("%d %d %.2f %.2f\n", changes, seconds, median, lateness[changes - 1]);
    free(lateness);
    xcb_disconnect(connection);
    return 0;
}
