import QtQuick 2.3
import QtQuick.Templates 2.5 as T
import QtTest 1.2
import Zib.Components 1.0

Item {
    id: scene
    width: 500
    height: 400

    ZibToolBar {
        id: toolBar
        width: 500
        leftRowItems: [
            Repeater {
                model: 2
                ZibMenuButton { image.imagePath: "image://ThemeImageProvider/view-grid" }
            },
            ZibSeparator { horizontal: false }
        ]
        rightRowItems: [ ZibMenuButton { id: addButton } ]
    }

    ZibSlider {
        id: slider
        y: 100
        width: 200
        height: 30
        count: 10
    }

    ZibTextEditRaw {
        id: editor
        y: 150
        width: 200
        height: contentHeight
        placeholderText: "Title"
    }

    ZibMenuButton {
        id: button
        y: 200
        height: 40
    }

    Flickable {
        id: flick
        x: 300
        y: 100
        width: 150
        height: 100
        contentHeight: 1000
        Rectangle { width: 150; height: 1000; color: "white" }
    }

    ZibScrollBar {
        id: scrollBar
        anchors.fill: flick
        contentItem: flick
    }

    ZibColoredImage {
        id: image
        y: 250
        width: 32
        height: 32
    }


    TestCase {
        name: "ZibControls"
        when: windowShown

        SignalSpy { id: clickSpy; target: button; signalName: "clicked" }

        function test_toolbar_rows_and_helper_bar() {
            compare(toolBar.leftRow.children.length, 4) // two buttons, separator, repeater
            compare(toolBar.rightRow.children[0], addButton)
            compare(toolBar.state, "")
            toolBar.toggleHelperBar()
            compare(toolBar.state, "helper")
            tryCompare(toolBar.backButton.parent, "opacity", 1)
            toolBar.toggleHelperBar()
            compare(toolBar.state, "")
            toolBar.searchLine.text = "abc"
            compare(toolBar.searchLine.text, "abc")
        }

        function test_scroll_bar_follows_and_moves_the_flickable() {
            fuzzyCompare(scrollBar.bar.size, 0.1, 0.001)
            flick.contentY = 450
            fuzzyCompare(scrollBar.bar.position, 0.45, 0.001)
            flick.contentY = 0
            waitForRendering(scrollBar)
            var bar = scrollBar.bar
            mousePress(bar, bar.width / 2, 2)
            mouseMove(bar, bar.width / 2, bar.height / 2)
            mouseRelease(bar, bar.width / 2, bar.height / 2)
            verify(flick.contentY > 300)
            verify(flick.contentY <= 900)
        }

        function test_helper_bar_disables_the_normal_bar() {
            toolBar.state = "helper"
            tryVerify(function() { return !toolBar.searchLine.parent.enabled })
            verify(toolBar.okButton.parent.enabled)
            toolBar.state = ""
            tryVerify(function() { return toolBar.searchLine.parent.enabled })
            tryVerify(function() { return !toolBar.okButton.parent.visible })
        }

        function test_menu_button_is_square_and_clicks() {
            compare(button.width, button.height)
            mouseClick(button)
            compare(clickSpy.count, 1)
            verify(!button.checked)
        }

        function test_menu_button_shows_its_tip_on_hover() {
            button.toolTipText = "Add"
            button.shortcutText = "Ctrl+N"
            mouseMove(button, button.width / 2, button.height / 2)
            tryVerify(function() { return button.T.ToolTip.toolTip.visible }, 3000)
            compare(button.T.ToolTip.toolTip.text, "Add (Ctrl+N)")
            mouseMove(scene, 1, scene.height - 1)
            tryVerify(function() { return !button.T.ToolTip.toolTip.visible }, 3000)
        }

        function test_slider_index_follows_both_ways() {
            slider.index = 4
            compare(slider.slider.value, 4)
            verify(!slider.mousePressed)
            waitForRendering(slider)
            mouseClick(slider, slider.width - 3, slider.height / 2)
            compare(slider.index, 9)
            slider.count = 5
            compare(slider.slider.value, 4)
        }

        function test_text_edit_placeholder_and_plain_text() {
            compare(editor.textFormat, TextEdit.PlainText)
            var placeholder = editor.children[0]
            verify(placeholder.visible)
            editor.text = "<b>Hello</b> world"
            verify(!placeholder.visible)
            compare(editor.getText(0, 3), "<b>")
            verify(editor.positionAt(1000, 0) > 0)
            compare(editor.length, 18)
        }

        function test_colored_image_sources() {
            image.imagePath = "image://ThemeImageProvider/edit-add"
            image.imageColorEnabled = false
            compare(image.children[1].source.toString().toLowerCase(), "image://themeimageprovider/edit-add")
            image.imageColor = "#ff0000"
            image.imageColorEnabled = true
            compare(image.children[1].source.toString().toLowerCase(), "image://themeimageprovider/edit-add?color=ff0000")
            image.imageDesaturateEnabled = true
            compare(image.children[1].source.toString().toLowerCase(), "image://themeimageprovider/edit-add?gray=1&color=ff0000")
            tryCompare(image, "status", Image.Ready)
            image.imagePath = "file:///no/such.png"
            compare(image.children[1].source.toString(), "file:///no/such.png")
        }

        function test_colored_image_shadow_keeps_to_the_icon() {
            image.imagePath = "image://ThemeImageProvider/edit-add"
            image.imageShadow = true
            tryVerify(function() { return image.children[0].item !== null })
            var shadow = image.children[0].item
            verify(shadow.x >= 1 && shadow.y === shadow.x)
            compare([shadow.width, shadow.height], [32, 32])
            image.width = 40
            compare(shadow.width, 40)
            image.imageShadow = false
            image.width = 32
        }

    }
}
