"""The cover picture: the Dravelo logo (a flame and the name) beside a desktop
computer, on white."""

import math

from raster import (Canvas, capsule, ellipse, intersect, minus, polygon, rect, rounded_rect, union)

WIDTH = 415
HEIGHT = 89
COLOURS = 39

WHITE = (255, 255, 255)
INK = (24, 52, 138)          # the name
FLAME_OUTER = (222, 62, 24)
FLAME_INNER = (255, 190, 40)
RULE = (236, 128, 32)
CASE = (218, 214, 200)       # the computer's plastic
CASE_DARK = (168, 164, 150)
OUTLINE = (92, 90, 84)
BEZEL = (54, 58, 66)
SCREEN = (36, 88, 172)
SCREEN_TEXT = (170, 214, 255)
CHART = (255, 214, 72)
LED = (40, 200, 60)
SLOT = (40, 40, 44)
KEY = (246, 244, 236)
SHADOW = (226, 226, 226)

# The name's letters: stroke width, baseline, x-height and cap height.
STROKE = 8
BASELINE = 62
X_TOP = 30
CAP_TOP = 17
LETTER_GAP = 5


def ring(cx, cy, rx, ry, stroke):
    return minus(ellipse(cx, cy, rx, ry), ellipse(cx, cy, rx - stroke, ry - stroke))


def angle_between(cx, cy, start, end):
    """Points whose direction from the centre, in degrees clockwise from
    east (y grows downwards), lies in [start, end)."""
    def inside(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return start <= a < end if start <= end else a >= start or a < end
    return inside


def letter_D(x0):
    rx = 20
    cx = x0 + 16
    cy = (CAP_TOP + BASELINE) / 2
    ry = (BASELINE - CAP_TOP) / 2
    outer = union(rect(x0, CAP_TOP, cx, BASELINE), intersect(ellipse(cx, cy, rx, ry), rect(cx, 0, WIDTH, HEIGHT)))
    inner = union(rect(x0 + STROKE, CAP_TOP + STROKE, cx, BASELINE - STROKE),
                  intersect(ellipse(cx, cy, rx - STROKE, ry - STROKE), rect(cx, 0, WIDTH, HEIGHT)))
    return minus(outer, inner), cx + rx


def bowl(x0):
    """The round part of a, e and o: centre and radii."""
    r = (BASELINE - X_TOP) / 2 + 0.8
    return x0 + r + 1.0, (X_TOP + BASELINE) / 2, r + 1.0, r


def letter_o(x0):
    cx, cy, rx, ry = bowl(x0)
    return ring(cx, cy, rx, ry, STROKE), cx + rx


def letter_a(x0):
    cx, cy, rx, ry = bowl(x0)
    stem = rect(cx + rx - STROKE, X_TOP - 0.8, cx + rx, BASELINE)
    return union(ring(cx, cy, rx, ry, STROKE), stem), cx + rx


def letter_e(x0):
    cx, cy, rx, ry = bowl(x0)
    bar_half = STROKE * 0.42
    opening = angle_between(cx, cy, 8, 44)
    shape = union(minus(ring(cx, cy, rx, ry, STROKE), opening),
                  intersect(rect(cx - rx + 1, cy - bar_half, cx + rx - 1, cy + bar_half), ellipse(cx, cy, rx, ry)))
    return shape, cx + rx


def letter_r(x0):
    stem = rect(x0, X_TOP, x0 + STROKE, BASELINE)
    cx, cy = x0 + STROKE + 9, X_TOP + 15.5
    shoulder = intersect(ring(cx, cy, 15, 15.5, STROKE), angle_between(cx, cy, 185, 328),
                         rect(x0 + STROKE - 1, 0, WIDTH, HEIGHT))
    return union(stem, shoulder), x0 + STROKE + 21


def letter_v(x0):
    half = STROKE / 2
    width = 30
    bottom = (x0 + width / 2, BASELINE - half)
    arms = union(capsule(x0 + half, X_TOP + half, *bottom, half),
                 capsule(x0 + width - half, X_TOP + half, *bottom, half))
    flat_top = rect(x0, X_TOP, x0 + width, BASELINE + 1)
    point = polygon([(x0 + width / 2 - half - 1, BASELINE - half), (x0 + width / 2 + half + 1, BASELINE - half),
                     (x0 + width / 2 + 1.5, BASELINE), (x0 + width / 2 - 1.5, BASELINE)])
    return union(intersect(arms, flat_top), point), x0 + width


def letter_l(x0):
    return rect(x0, CAP_TOP, x0 + STROKE, BASELINE), x0 + STROKE


def draw_name(canvas, x0):
    x = x0
    for make in (letter_D, letter_r, letter_a, letter_v, letter_e, letter_l, letter_o):
        shape, right = make(x)
        canvas.fill(shape, INK, (x - 1, 0, right + 2, HEIGHT))
        x = right + LETTER_GAP
    return x - LETTER_GAP


def flame(cx, bottom, half_width, height, lean):
    """A teardrop with its round end down and a tip that leans aside."""
    r = half_width
    cy = bottom - r

    def inside(x, y):
        if y >= cy:
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        t = (cy - y) / (height - r)  # 0 at the widest, 1 at the tip
        if t > 1:
            return False
        centre = cx + lean * t * t
        return abs(x - centre) <= r * (1 - t) ** 1.4 * (1 + 0.35 * t)
    return inside


def draw_mark(canvas, cx):
    canvas.fill(flame(cx, BASELINE, 16, 50, 7), FLAME_OUTER, (cx - 18, 0, cx + 20, BASELINE + 1))
    canvas.fill(flame(cx + 1, BASELINE - 3, 9.5, 31, 4), FLAME_INNER, (cx - 12, 0, cx + 14, BASELINE + 1))


def draw_computer(canvas, left):
    # Shadow on the desk.
    canvas.fill(ellipse(left + 47, 84, 50, 4.5), SHADOW, (left - 6, 78, left + 100, 89))
    # System unit.
    unit = (left + 2, 58, left + 92, 75)
    canvas.fill(rounded_rect(unit[0] - 1, unit[1] - 1, unit[2] + 1, unit[3] + 1, 2.5), OUTLINE,
                (unit[0] - 2, unit[1] - 2, unit[2] + 2, unit[3] + 2))
    canvas.fill(rounded_rect(*unit, 2), CASE, unit)
    canvas.fill(rect(unit[0], unit[3] - 3, unit[2], unit[3]), CASE_DARK, unit)
    canvas.fill(rect(left + 58, 63, left + 84, 65.5), SLOT, (left + 56, 60, left + 86, 68))
    canvas.fill(rect(left + 58, 67.5, left + 84, 70), SLOT, (left + 56, 66, left + 86, 72))
    canvas.fill(ellipse(left + 11, 66.5, 2.2, 2.2), LED, (left + 7, 62, left + 15, 71))
    # Monitor stand.
    canvas.fill(polygon([(left + 37, 52), (left + 57, 52), (left + 62, 58), (left + 32, 58)]), CASE_DARK,
                (left + 30, 50, left + 64, 59))
    # Monitor.
    case = (left + 12, 3, left + 82, 53)
    canvas.fill(rounded_rect(case[0] - 1, case[1] - 1, case[2] + 1, case[3] + 1, 4), OUTLINE,
                (case[0] - 2, case[1] - 2, case[2] + 2, case[3] + 2))
    canvas.fill(rounded_rect(*case, 3.5), CASE, case)
    canvas.fill(rect(case[0] + 2, case[3] - 4, case[2] - 2, case[3] - 1), CASE_DARK, case)
    canvas.fill(rounded_rect(left + 18, 8, left + 76, 46, 2.5), BEZEL, (left + 17, 7, left + 77, 47))
    screen = (left + 21, 11, left + 73, 43)
    canvas.fill(rect(*screen), SCREEN, screen)
    # On the screen: a few lines of figures and a rising bar chart.
    for i, width in enumerate((30, 22, 26, 16)):
        y = 15 + 5 * i
        canvas.fill(rect(left + 25, y, left + 25 + width, y + 2), SCREEN_TEXT, (left + 24, y - 1, left + 60, y + 3))
    for i, height in enumerate((6, 10, 15, 21)):
        x = left + 58 + 4 * i
        canvas.fill(rect(x, 40 - height, x + 3, 40), CHART, (x - 1, 39 - height, x + 4, 41))
    # Keyboard in front, seen from above at a slant.
    keyboard = [(left + 10, 77), (left + 84, 77), (left + 90, 87), (left + 4, 87)]
    canvas.fill(polygon([(x, y) for x, y in keyboard]), OUTLINE, (left + 2, 76, left + 92, 88))
    inner = [(left + 11, 78), (left + 83, 78), (left + 88, 86), (left + 6, 86)]
    canvas.fill(polygon(inner), CASE, (left + 4, 77, left + 90, 87))
    for row, y in enumerate((79.2, 81.6, 84.0)):
        slant = (y - 78) * 0.6
        for k in range(13):
            x = left + 12 - slant + k * (5.6 + 0.1 * row) + row
            canvas.fill(rect(x, y, x + 4.2, y + 1.6), KEY, (x - 1, y - 1, x + 6, y + 3))


def draw():
    canvas = Canvas(WIDTH, HEIGHT, WHITE)
    draw_mark(canvas, 30)
    end = draw_name(canvas, 60)
    canvas.fill(rect(60, 70, end, 72.5), RULE, (59, 69, end + 1, 74))
    draw_computer(canvas, 308)
    return canvas.pixels()
