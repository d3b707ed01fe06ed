import QtQuick 2.3
import QtTest 1.2
import QtQuick.Controls 2.5
import QtQuick.Window 2.2
import Zib.Components 1.0

TestCase {
    id: testCase
    name: "ZibRoot"
    when: windowShown

    ZibRoot {
        id: win
        showOnStart: false
        initialPage: Component {
            ZibPage {
                objectName: "firstPage"
                title: "First"
            }
        }
    }

    Component {
        id: rememberingWindow
        ZibRoot {
            rememberGeometry: true
            showOnStart: false
            minimumWidth: 200
            minimumHeight: 150
            initialPage: Component { ZibPage {} }
        }
    }

    Component {
        id: pageComponent
        ZibPage {
            property int okCalls: 0
            property int cancelCalls: 0
            property var okArgs: []
            property bool okResult: false
            property bool cancelResult: false
            showOkButton: true
            okFunction: function() {
                okCalls++
                okArgs = Array.prototype.slice.call(arguments)
                return okResult
            }
            cancelFunction: function() {
                cancelCalls++
                return cancelResult
            }
        }
    }

    SignalSpy { id: closedSpy; signalName: "pageClosed" }

    function init() {
        while (win.pageDepth > 1)
            win.pageStack.pop(null, StackView.Immediate)
        compare(win.pageDepth, 1)
        closedSpy.clear()
    }

    function pushTestPage(properties) {
        var page = win.addPage(pageComponent, properties || {})
        verify(page !== null)
        compare(win.currentPage, page)
        closedSpy.target = page
        return page
    }

    function test_window_stays_hidden_without_showOnStart() {
        compare(win.visible, false)
        compare(win.currentPage.objectName, "firstPage")
        verify(win.itemHeight >= 50)
    }

    function test_page_from_url_resolves_window_and_scope_names() {
        var page = win.addPage(Qt.resolvedUrl("data/ScopePage.qml"), { "note": "A" })
        verify(page !== null)
        compare(win.pageDepth, 2)
        compare(page.title, "Scope A")
        compare(page.seenItemHeight, win.itemHeight)
        verify(page.seenStyles)
        verify(page.seenSettings)
        verify(page.seenDpiRatio >= 1)
        compare(page.seenDebug, false)
        compare(page.seenDesktopMode, true)
        compare(page.colorFromRoot, "#55000000")
    }

    function test_addPage_with_string_url_and_bad_url() {
        var page = win.addPage(String(Qt.resolvedUrl("data/ScopePage.qml")), { "note": "B" })
        compare(page.title, "Scope B")
        ignoreWarning(new RegExp("ZibRoot.addPage:.*"))
        compare(win.addPage(Qt.resolvedUrl("data/NoSuchPage.qml"), {}), null)
        compare(win.addPage(null, {}), null)
        compare(win.pageDepth, 2)
    }

    function test_addPage_sets_initial_properties_before_completion() {
        var page = win.addPage(pageComponent, { "state": "", "title": "Given" })
        compare(page.title, "Given")
        compare(page.titleLabel.text, "Given")
    }

    function test_ok_closes_unless_true_data() {
        return [
            { tag: "undefined result closes", result: undefined, open: false },
            { tag: "false closes", result: false, open: false },
            { tag: "truthy non-true closes", result: 1, open: false },
            { tag: "true keeps open", result: true, open: true }
        ]
    }
    function test_ok_closes_unless_true(data) {
        var page = pushTestPage()
        page.okFunction = function() { return data.result }
        page.okButton.clicked()
        compare(win.pageDepth, data.open ? 2 : 1)
        compare(closedSpy.count, data.open ? 0 : 1)
        if (!data.open)
            compare(closedSpy.signalArguments[0][0], true)
    }

    function test_ok_spreads_custom_args() {
        var page = pushTestPage()
        var when = new Date(2024, 2, 5, 14, 30)
        page.okFunctionCustomArgs = [3, when]
        page.okButton.clicked()
        compare(page.okCalls, 1)
        compare(page.okArgs.length, 2)
        compare(page.okArgs[0], 3)
        compare(page.okArgs[1].getTime(), when.getTime())
        compare(win.pageDepth, 1)
    }

    function test_ok_button_follows_okButtonEnabled() {
        var page = pushTestPage({ "okButtonEnabled": false })
        verify(page.okButton.visible)
        verify(!page.okButton.enabled)
        page.okButtonEnabled = true
        verify(page.okButton.enabled)
    }

    function test_ok_hidden_without_showOkButton() {
        var page = pushTestPage({ "showOkButton": false })
        verify(!page.okButton.visible)
    }

    function test_ok_without_function_closes() {
        var page = pushTestPage({ "okFunction": null })
        page.zibAccept()
        compare(win.pageDepth, 1)
    }

    function test_leave_calls_cancel_and_obeys_result_data() {
        return [
            { tag: "cancel returns true", result: true, open: true },
            { tag: "cancel returns false", result: false, open: false },
            { tag: "cancel returns nothing", result: undefined, open: false }
        ]
    }
    function test_leave_calls_cancel_and_obeys_result(data) {
        var page = pushTestPage({ "cancelResult": data.result })
        page.closeButton.clicked()
        compare(page.cancelCalls, 1)
        compare(win.pageDepth, data.open ? 2 : 1)
        if (!data.open)
            compare(closedSpy.signalArguments[0][0], false)
    }

    function test_closePage_skips_cancel_and_happens_once() {
        var page = pushTestPage()
        page.closePage(false)
        compare(page.cancelCalls, 0)
        compare(win.pageDepth, 1)
        compare(closedSpy.count, 1)
        page.closePage(true)
        page.zibLeave()
        page.zibAccept()
        compare(closedSpy.count, 1)
        compare(page.cancelCalls, 0)
        compare(page.okCalls, 0)
    }

    function test_closePage_inside_ok_closes_only_that_page() {
        var below = pushTestPage()
        var page = pushTestPage()
        page.okFunction = function() { page.closePage(true); return false }
        page.zibAccept()
        compare(win.pageDepth, 2)
        compare(win.currentPage, below)
        compare(closedSpy.count, 1)
    }

    function test_closing_page_under_top_removes_pages_above() {
        var lower = pushTestPage()
        var upper = pushTestPage()
        lower.closePage(false)
        compare(win.pageDepth, 1)
    }

    function test_first_page_cannot_be_closed() {
        var first = win.currentPage
        first.closePage(true)
        compare(win.pageDepth, 1)
        compare(first.isClosed, false)
    }

    function test_color_strings_data() {
        return [
            { tag: "black 51", n: 51, color: "black", expected: "#33000000" },
            { tag: "named white", n: 255, color: "white", expected: "#ffffffff" },
            { tag: "hex with alpha ignored", n: 0x55, color: "#80ff0000", expected: "#55ff0000" },
            { tag: "clamped high", n: 999, color: "#123456", expected: "#ff123456" },
            { tag: "clamped low", n: -5, color: "#123456", expected: "#00123456" },
            { tag: "not a number", n: "x", color: "#123456", expected: "#00123456" }
        ]
    }
    function test_color_strings(data) {
        compare(win.getColorString(data.n, data.color), data.expected)
    }

    function test_color_array_string_round_trips() {
        var text = win.getColorArrayString(Qt.rgba(1, 0.5, 0, 0.25))
        var parts = text.split(":")
        compare(parts.length, 4)
        compare(Number(parts[0]), 1)
        fuzzyCompare(Number(parts[1]), 0.5, 0.01)
        compare(Number(parts[2]), 0)
        fuzzyCompare(Number(parts[3]), 0.25, 0.01)
        compare(win.getColorArrayString("#ff0000"), "1:0:0:1")
    }

    function test_isFileExist() {
        var here = Qt.resolvedUrl("tst_zibroot.qml")
        verify(win.isFileExist(here))
        verify(win.isFileExist(String(here).replace("file://", "")))
        verify(!win.isFileExist(String(here).replace("file://", "").replace("tst_zibroot.qml", "")))
        verify(!win.isFileExist("/no/such/file.png"))
        verify(!win.isFileExist(""))
        verify(!win.isFileExist(undefined))
    }

    // A window's size and position come back in the next window; a size
    // larger than the screen and a place off it are brought back onto it.
    function test_window_geometry_is_remembered() {
        var first = createTemporaryObject(rememberingWindow, testCase)
        first.width = 300
        first.height = 250
        first.x = 40
        first.y = 30
        first._saveGeometry()
        compare(settings.getInt("window-width", 0), 300)
        var second = createTemporaryObject(rememberingWindow, testCase)
        compare(second.width, 300)
        compare(second.height, 250)
        compare(second.x, 40)
        compare(second.y, 30)

        settings.setInt("window-width", 100000)
        settings.setInt("window-height", 100)
        settings.setInt("window-x", 100000)
        settings.setInt("window-y", -500)
        var third = createTemporaryObject(rememberingWindow, testCase)
        compare(third.width, Screen.desktopAvailableWidth)
        compare(third.height, 150, "not below the minimum")
        compare(third.x, 0)
        compare(third.y, 0)
        // A window that does not remember leaves its own size alone.
        verify(win.width !== 100000)
    }

    // A card that does not fill its page, and a content area asked to, get
    // soft edges that keep to them as the card moves and grows.
    function test_soft_edges_follow_their_cards() {
        var page = pushTestPage({ "leftMargin": 40, "topMargin": 30, "centerRectShadow": true })
        // Each card's edges are made by the loader declared just before it.
        function edgesOf(card) {
            var loader = null
            for (var i = 1; i < page.children.length; ++i) {
                if (page.children[i] === card)
                    loader = page.children[i - 1]
            }
            tryVerify(function() { return loader.item !== null })
            return loader.item
        }
        var cards = [page.frontRect, page.centerRect]
        for (var c = 0; c < cards.length; ++c) {
            var card = cards[c]
            var edges = edgesOf(card)
            compare([edges.x, edges.y, edges.width, edges.height], [card.x, card.y, card.width, card.height])
            page.leftMargin += 20
            compare([edges.x, edges.width], [card.x, card.width])
        }
    }
}
