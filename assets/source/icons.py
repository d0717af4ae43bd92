"""The two icons, drawn pixel by pixel in the 16 standard colours: the About
box's building block and the program's flame. The flame is also drawn
smoothly, for the larger sizes that desktops show."""

import math

from formats import IconImage
from raster import Canvas, rect, rounded_rect, union

# The standard 16-colour palette, in its usual order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
MONOCHROME = [(0, 0, 0), (255, 255, 255)]

CLEAR = None  # a transparent pixel while drawing


class Grid:
    def __init__(self, size):
        self.size = size
        self.cells = [[CLEAR] * size for _ in range(size)]

    def set(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.cells[y][x] = colour

    def box(self, left, top, right, bottom, colour):
        """Fills the pixels left..right, top..bottom inclusive."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.set(x, y, colour)

    def shape(self, inside, colour):
        for y in range(self.size):
            for x in range(self.size):
                if inside(x + 0.5, y + 0.5):
                    self.set(x, y, colour)

    def outline(self, colour):
        """Rings every drawn area with colour on its transparent neighbours."""
        edge = []
        for y in range(self.size):
            for x in range(self.size):
                if self.cells[y][x] is CLEAR and any(
                        0 <= x + dx < self.size and 0 <= y + dy < self.size
                        and self.cells[y + dy][x + dx] not in (CLEAR, colour)
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    edge.append((x, y))
        for x, y in edge:
            self.cells[y][x] = colour

    def image(self, palette, bits_per_pixel):
        indices = [[0 if c is CLEAR else c for c in row] for row in self.cells]
        transparent = [[c is CLEAR for c in row] for row in self.cells]
        return IconImage(indices, palette, bits_per_pixel, transparent)


def tile(grid, left, top, face, side):
    """A small square tile with a lit face and a shaded side and bottom."""
    grid.box(left, top, left + 8, top + 7, BLACK)
    grid.box(left + 1, top + 1, left + 7, top + 6, face)
    grid.box(left + 6, top + 2, left + 7, top + 6, side)
    grid.box(left + 2, top + 5, left + 7, top + 6, side)
    grid.box(left + 1, top + 1, left + 5, top + 1, WHITE)


def building_block():
    """A white block with an arched purple doorway, a green and a yellow
    tile standing on it."""
    g = Grid(32)
    # The block: front face, shaded right side and top.
    g.box(3, 13, 27, 30, BLACK)
    g.box(4, 14, 23, 29, WHITE)
    g.box(24, 14, 26, 29, SILVER)
    g.box(4, 14, 26, 14, SILVER)
    g.box(24, 14, 24, 29, GREY)
    # Doorway with a round top.
    g.box(10, 21, 17, 29, BLACK)
    g.box(11, 22, 16, 29, PURPLE)
    g.box(11, 19, 16, 21, BLACK)
    g.box(12, 18, 15, 18, BLACK)
    g.box(12, 20, 15, 21, PURPLE)
    g.box(13, 19, 14, 19, PURPLE)
    g.box(12, 22, 12, 29, FUCHSIA)
    # Two tiles on top.
    tile(g, 4, 5, LIME, GREEN)
    tile(g, 15, 5, YELLOW, OLIVE)
    return g


# The flame in units of a 32-pixel grid: a round base of FLAME_RADIUS about
# (16, FLAME_BASE), tapering over FLAME_TAPER units up to a tip that leans right.
FLAME_RADIUS = 8.5
FLAME_BASE = 20
FLAME_TAPER = 18


def flame_centre(t):
    """Middle of the taper at height t (0 at the base, 1 at the tip), as an
    offset from the base's centre."""
    return 4 * t * t


def flame_half_width(t):
    return FLAME_RADIUS * (1 - t) ** 1.3 * (1 + 0.4 * t)


def flame_shape(size, scale_x=1.0, scale_y=1.0, shift_y=0.0):
    """A teardrop flame with its tip leaning right, in a size x size grid."""
    unit = size / 32

    def inside(x, y):
        u = (x / unit - 16) / scale_x
        v = (y / unit - 28 + shift_y) / scale_y + 28
        if v >= FLAME_BASE:
            return u * u + (v - FLAME_BASE) ** 2 <= FLAME_RADIUS * FLAME_RADIUS
        t = (FLAME_BASE - v) / FLAME_TAPER
        if t > 1:
            return False
        return abs(u - flame_centre(t)) <= flame_half_width(t)
    return inside


def flame_grown(size, grow):
    """The whole flame widened by grow units all round: its outline. Each side
    of the taper moves by grow along its normal, which across a slanting side
    is grow times the secant of the slant."""
    unit = size / 32
    step = 1e-4  # for the slopes of the sides

    def inside(x, y):
        u = x / unit - 16
        v = y / unit
        if u * u + (v - FLAME_BASE) ** 2 <= (FLAME_RADIUS + grow) ** 2:
            return True
        tip = FLAME_BASE - FLAME_TAPER
        if (u - flame_centre(1)) ** 2 + (v - tip) ** 2 <= grow * grow:
            return True
        t = (FLAME_BASE - v) / FLAME_TAPER
        if not 0 <= t <= 1:
            return False
        t0, t1 = max(0.0, t - step), min(1.0, t + step)
        centre_slope = (flame_centre(t1) - flame_centre(t0)) / (t1 - t0) / FLAME_TAPER
        width_slope = (flame_half_width(t1) - flame_half_width(t0)) / (t1 - t0) / FLAME_TAPER
        offset = u - flame_centre(t)
        side_slope = centre_slope + width_slope if offset >= 0 else centre_slope - width_slope
        return abs(offset) <= flame_half_width(t) + grow * math.hypot(1, side_slope)
    return inside


def flame(size):
    g = Grid(size)
    g.shape(flame_shape(size), RED)
    g.shape(flame_shape(size, 0.62, 0.62, 1.5), YELLOW)
    g.shape(flame_shape(size, 0.28, 0.3, 2.5), WHITE)
    burner_top = size - size // 8
    g.box(size // 4, burner_top, size - size // 4 - 1, size - 1, GREY)
    g.box(size // 4, burner_top, size - size // 4 - 1, burner_top, SILVER)
    g.outline(BLACK)
    return g


def flame_monochrome():
    g = Grid(32)
    g.shape(flame_shape(32), 1)
    g.shape(flame_shape(32, 0.62, 0.62, 1.5), 0)
    g.shape(flame_shape(32, 0.28, 0.3, 2.5), 1)
    g.box(8, 28, 23, 31, 0)
    g.outline(0)
    return g


def smooth_flame(size):
    """The program's flame as the 16-colour icon shows it, drawn with smooth
    edges for sizes where single pixels would look coarse: rows of
    (r, g, b, a)."""
    # Outline and the burner's lit edge are one unit wide, rounded to whole
    # pixels so that the burner's straight edges stay crisp.
    line = max(1, int(size / 32 + 0.5))
    canvas = Canvas(size, size, None)
    everything = (0, 0, size, size)
    burner = (size // 4, size - size // 8, size - size // 4, size)
    left, top, right, bottom = burner
    outline = union(flame_grown(size, line * 32 / size),
                    rounded_rect(left - line, top - line, right + line, bottom + line, line))
    canvas.fill(outline, VGA[BLACK], everything)
    canvas.fill(flame_shape(size), VGA[RED], everything)
    canvas.fill(flame_shape(size, 0.62, 0.62, 1.5), VGA[YELLOW], everything)
    canvas.fill(flame_shape(size, 0.28, 0.3, 2.5), VGA[WHITE], everything)
    canvas.fill(rect(*burner), VGA[GREY], burner)
    canvas.fill(rect(left, top, right, top + line), VGA[SILVER], burner)
    return canvas.rgba_pixels()


def about_icon():
    return [building_block().image(VGA, 4)]


def program_icon():
    return [flame_monochrome().image(MONOCHROME, 1), flame(32).image(VGA, 4), flame(16).image(VGA, 4)]


def rgba(image):
    """The image as rows of (r, g, b, a) for a PNG."""
    return [[(0, 0, 0, 0) if clear else image.palette[index] + (255,)
             for index, clear in zip(row, mask)] for row, mask in zip(image.indices, image.transparent)]
