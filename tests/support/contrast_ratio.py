"""The contrast ratio of two colours as the web's accessibility guidelines
define it, from 1:1 to 21:1; shared by the desktop and browser checks."""


def luminance(rgb):
    def linear(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(ink, face):
    light, dark = sorted((luminance(ink), luminance(face)), reverse=True)
    return (light + 0.05) / (dark + 0.05)
